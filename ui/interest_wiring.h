#pragma once
// The interest list (利息计算) and the reconciliation statement (余额调节表) plugged into the main window.
class CQirnApp;
class CMainFrame;

void WireInterestCommands(CQirnApp& app, CMainFrame& frame);
