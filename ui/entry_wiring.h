#pragma once
// Plugs 按帐户录入 and 按日期录入 into the main window.
class CMainFrame;
class CQirnApp;

void WireEntryCommands(CQirnApp& app, CMainFrame& frame);
