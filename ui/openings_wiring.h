#pragma once
// Plugs the opening balances and the account catalogue into the main window.
class CQirnApp;
class CMainFrame;

void WireOpeningsCommands(CQirnApp& app, CMainFrame& frame);
