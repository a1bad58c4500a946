#pragma once
// Plugs the chart-of-accounts set-up (帐户设置) into the main window.
class CMainFrame;
class CQirnApp;

void WireSetupCommands(CQirnApp& app, CMainFrame& frame);
