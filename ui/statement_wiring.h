#pragma once
// Plugs the financial statements into the main window: 财务报表's window, 报表模板 and 结转损益.
class CQirnApp;
class CMainFrame;

void WireStatementCommands(CQirnApp& app, CMainFrame& frame);
