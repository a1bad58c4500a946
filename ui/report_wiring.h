#pragma once
// Plugs the balance table, the balance-and-turnover table and the fuzzy ledger query
// into the main window.
class CQirnApp;
class CMainFrame;

void WireReportCommands(CQirnApp& app, CMainFrame& frame);
