#pragma once
// Plugs the ledger windows into the main window.
class CMainFrame;
class CQirnApp;

void WireLedgerCommands(CQirnApp& app, CMainFrame& frame);
