#pragma once
// Plugs the year-end carry forward (转帐) and the copy between account sets (拷贝会计信息) into the main
// window.
class CMainFrame;
class CQirnApp;

void WireYearendCommands(CQirnApp& app, CMainFrame& frame);
