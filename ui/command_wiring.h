#pragma once
// Plugs the program's dialogs into the main window's commands, the login's 搜索 and the form views'
// calculator.
class CMainFrame;
class CQirnApp;

void WireCommands(CQirnApp& app, CMainFrame& frame);
