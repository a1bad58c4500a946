#pragma once
// Plugs in the account query dialog (帐户目录查询, and every window's way of asking for an account) and the
// currency and rate dialogs.
class CMainFrame;
class CQirnApp;

void WireQueryCommands(CQirnApp& app, CMainFrame& frame);
