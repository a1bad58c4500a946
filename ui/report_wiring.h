#pragma once
// Plugs the balance table (40020), the balance-and-turnover table (40021) and the fuzzy ledger query
// (40022) into the main window.
class CQirnApp;
class CMainFrame;

void WireReportCommands(CQirnApp& app, CMainFrame& frame);
