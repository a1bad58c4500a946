// Typing, deleting, the clipboard, undo and the calculator in a form view.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/dialog_asker.h"
#include "calc/calculator_dlg.h"
#include "grid_view.h"
#include "support/scripted_platform.h"

namespace {

struct Editing : ::testing::Test {
  ScriptedPlatform platform;
  GridView view;
  ViewOnScreen screen{view};

  void Type(const std::string& text) { view.OnChar(text); }
  void Key(VyKey k, bool shift = false, bool ctrl = false) { view.OnKeyDown(k, shift, ctrl); }
};

TEST_F(Editing, TypingFollowsTheMaskAndTheCaret) {
  Type("中文ab");
  EXPECT_EQ(view.Text(0, 0), "中文ab");
  EXPECT_EQ(view.Current().caret, 6);
  Key(VyKey::Left);
  Key(VyKey::Left);
  Key(VyKey::Left);  // over "文" in one step
  EXPECT_EQ(view.Current().caret, 2);
  Type("X");
  EXPECT_EQ(view.Text(0, 0), "中X文ab");
  Key(VyKey::Backspace);
  Key(VyKey::Backspace);
  EXPECT_EQ(view.Text(0, 0), "文ab");
  Key(VyKey::Delete);
  EXPECT_EQ(view.Text(0, 0), "ab");
  Key(VyKey::End);
  Key(VyKey::Delete);  // at the end: nothing
  EXPECT_EQ(view.Text(0, 0), "ab");
  EXPECT_TRUE(view.IsModified());

  view.SetCurrent(0, 1, 0, "TEXT");  // "NUMBER", 10 digits, 2 decimals
  Type("12。5x-3.456");  // letters, a minus inside, a second point and a third decimal are refused
  EXPECT_EQ(view.Text(0, 1), "12.53");
  Type("\t\x01");
  EXPECT_EQ(view.Text(0, 1), "12.53");
}

TEST_F(Editing, ReadOnlyViewsAndLockedCellsRefuseEveryChange) {
  view.locked.insert({0, 0});
  Type("a");
  Key(VyKey::Backspace);
  EXPECT_EQ(view.Text(0, 0), "");
  GridView readOnly;
  readOnly.editable = 0;
  ViewOnScreen s(readOnly);
  readOnly.Fill(0, {"x"});
  readOnly.OnChar("a");
  Plat().SetClipboardText("b");
  readOnly.Paste();
  EXPECT_EQ(readOnly.Text(0, 0), "x");
  // Home and End move between cells there.
  readOnly.OnKeyDown(VyKey::End, false, false);
  EXPECT_EQ(readOnly.Current().col, 4);
  EXPECT_FALSE(readOnly.IsCommandEnabled(vycmd::kPaste));
  EXPECT_FALSE(readOnly.IsCommandEnabled(vycmd::kNew));
}

TEST_F(Editing, KeysMoveBetweenCellsSectionsAndAppendFilledRows) {
  Key(VyKey::Up);
  EXPECT_EQ(view.Current().section, "HEAD");
  Key(VyKey::Down);
  EXPECT_EQ(view.Current(), (VyCellPos{0, 0, "TEXT", 0}));
  for (int i = 0; i < 4; ++i) Key(VyKey::Tab);
  EXPECT_EQ(view.Current().col, 4);
  Key(VyKey::Tab);
  EXPECT_EQ(view.Current().col, 4);  // Tab stays at the last column
  Key(VyKey::Enter);
  EXPECT_EQ(view.Current(), (VyCellPos{1, 0, "TEXT", 0}));
  Key(VyKey::Tab, true);
  EXPECT_EQ(view.Current().col, 0);

  // Down from the last row: an empty row stays the last, and the caret goes on to the foot.
  view.SetCurrent(9, 2, 0, "TEXT");
  Key(VyKey::Down);
  EXPECT_EQ(view.TextRows(), 10);
  EXPECT_EQ(view.Current().section, "FOOT");
  EXPECT_EQ(view.Current().col, 1);  // limited to the line's last item
  Key(VyKey::Up);
  EXPECT_EQ(view.Current(), (VyCellPos{9, 1, "TEXT", 0}));
  // A row with a non-zero number is filled: a new row is appended and entered.
  Type("5");
  Key(VyKey::Down);
  EXPECT_EQ(view.TextRows(), 11);
  EXPECT_EQ(view.Current().row, 10);
  EXPECT_NE(std::find(view.calls.begin(), view.calls.end(), "rows 1"), view.calls.end());
  // A zero amount does not count.
  Type("0");
  Key(VyKey::Down);
  EXPECT_EQ(view.TextRows(), 11);

  Key(VyKey::End, false, true);
  EXPECT_EQ(view.Current(), (VyCellPos{10, 4, "TEXT", 0}));
  Key(VyKey::PageUp);
  EXPECT_EQ(view.Current().row, 0);
}

TEST_F(Editing, LeavingAChangedCellReportsItOnce) {
  Type("ab");
  Key(VyKey::Backspace);
  Key(VyKey::Tab);
  ASSERT_EQ(view.calls.size(), 1u);
  EXPECT_EQ(view.calls[0], "changed TEXT 0 0 a");
  Key(VyKey::Tab, true);
  Key(VyKey::Tab);
  EXPECT_EQ(view.calls.size(), 1u);  // entered and left unchanged
  Type("x");
  Key(VyKey::Backspace);
  Key(VyKey::Tab);
  EXPECT_EQ(view.calls.size(), 1u);  // back to its entry text
}

TEST_F(Editing, CopyGivesTabsAndLineFeedsOrTheSelectedCharacters) {
  view.Fill(0, {"a", "1", "2"});
  view.Fill(1, {"b", "3", ""});
  view.Select(0, 0, 1, 2);
  EXPECT_TRUE(view.Copy());
  EXPECT_EQ(platform.clipboard, "a\t1\t2\nb\t3\t\n");
  EXPECT_TRUE(view.IsCommandEnabled(vycmd::kCopy));

  view.Fill(2, {"中文字"});
  view.SetCurrent(2, 0, 2, "TEXT");
  Key(VyKey::Right, true);
  Key(VyKey::Right, true);
  EXPECT_TRUE(view.HasCharRange());
  EXPECT_TRUE(view.Copy());
  EXPECT_EQ(platform.clipboard, "文字");
  view.Cut();
  EXPECT_EQ(view.Text(2, 0), "中");

  view.SetCurrent(3, 0, 0, "TEXT");
  platform.clipboard = "unchanged";
  EXPECT_FALSE(view.Copy());
  EXPECT_EQ(platform.clipboard, "unchanged");
}

TEST_F(Editing, PasteOneFieldInsertsAtTheCaretThroughTheMask) {
  view.Fill(0, {"ab"});
  view.SetCurrent(0, 0, 1, "TEXT");
  platform.clipboard = "中";
  view.Paste();
  EXPECT_EQ(view.Text(0, 0), "a中b");
  EXPECT_EQ(view.Current().caret, 3);
  view.SetCurrent(0, 1, 0, "TEXT");
  platform.clipboard = "abc\n";
  view.Paste();
  EXPECT_EQ(view.Text(0, 1), "");  // not a number
  platform.clipboard = "12.5\r\n";
  view.Paste();
  EXPECT_EQ(view.Text(0, 1), "12.5");
  // A block without its line feed is nothing to paste.
  platform.clipboard = "1\t2";
  view.Paste();
  EXPECT_EQ(view.Text(0, 2), "");
}

TEST_F(Editing, BlockPastedInsideTheGridFillsCellsAndNeverAddsRows) {
  view.SetCurrent(8, 1, 0, "TEXT");
  platform.clipboard = "1\t2\t3\n4\tx\t6\n7\t8\t9\n";
  view.Paste();
  EXPECT_EQ(view.TextRows(), 10);
  EXPECT_EQ(view.Rows()[8], (std::vector<std::string>{"", "1", "2", "3", ""}));
  EXPECT_EQ(view.Rows()[9], (std::vector<std::string>{"", "4", "", "6", ""}));
  EXPECT_TRUE(view.calls.empty());
}

// A carriage return, tab or other control character never goes into a cell: a field holding one is dropped
// as any field the mask refuses.
TEST(Paste, FieldsWithControlCharactersAreDropped) {
  ScriptedPlatform platform;
  GridView view(10, {6, 6, 6});
  ViewOnScreen screen(view);
  view.SetCurrent(0, 0, 0, "TEXT");
  for (const char* clip : {"a\rb", "a\rb\n", "x\x7f", "\r"}) {
    platform.clipboard = clip;
    view.Paste();
    EXPECT_EQ(view.Text(0, 0), "") << clip;
  }
  view.SetCurrent(4, 0, 0, "TEXT");
  platform.clipboard = "ok\tc\rr\nline\r\n";  // CR LF ends a line; a CR inside a field is no ending
  view.Paste();
  EXPECT_EQ(view.Text(4, 0), "ok");
  EXPECT_EQ(view.Text(4, 1), "");
  EXPECT_EQ(view.Text(5, 0), "line");
}

TEST(Paste, WholeWidthBlockAtColumnZeroOpensRows) {
  ScriptedPlatform platform;
  GridView view(4, {6, 6, 6});
  ViewOnScreen screen(view);
  view.Fill(1, {"old1"});
  view.Fill(3, {"old3"});
  view.SetCurrent(1, 0, 0, "TEXT");
  platform.clipboard = "a\tb\tc\nd\te\tf\n";
  view.Paste();
  EXPECT_EQ(view.TextRows(), 6);
  // The cell the caret was in now holds a pasted text: the view hears of it when the caret leaves.
  EXPECT_EQ(view.calls, (std::vector<std::string>{"rows 2", "insert 1 3 2", "changed TEXT 1 0 a"}));
  EXPECT_EQ(view.Rows()[1], (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(view.Rows()[2], (std::vector<std::string>{"d", "e", "f"}));
  EXPECT_EQ(view.Rows()[3][0], "old1");
  EXPECT_EQ(view.Rows()[5][0], "old3");
  EXPECT_EQ(view.Current(), (VyCellPos{3, 0, "TEXT", 0}));
}

TEST_F(Editing, DeletingWholeRowsRemovesThemButPartOfTheColumnsOnlyEmptiesCells) {
  for (int r = 0; r < 10; ++r) view.Fill(r, {"r" + std::to_string(r), std::to_string(r + 1)});
  view.Select(2, 1, 3, 2);
  view.DeleteSelection();
  EXPECT_EQ(view.TextRows(), 10);
  EXPECT_EQ(view.Rows()[2][0], "r2");
  EXPECT_EQ(view.Rows()[2][1], "");
  EXPECT_EQ(view.Rows()[3][1], "");
  EXPECT_EQ(view.Current(), (VyCellPos{2, 1, "TEXT", 0}));

  view.locked.insert({5, 3});
  view.Select(4, 0, 6, 4);
  view.OnCommand(vycmd::kDeleteSelection);
  EXPECT_EQ(view.calls.back(), "rows -2");
  EXPECT_EQ(view.TextRows(), 8);
  // Row 5 held a cell that cannot be edited: it is emptied where it can be and stays.
  EXPECT_EQ(view.Rows()[4][0], "");
  EXPECT_EQ(view.Rows()[5][0], "r7");
  EXPECT_EQ(view.Current(), (VyCellPos{6, 0, "TEXT", 0}));

  // Everything: one row is left.
  view.SelectAll();
  view.DeleteSelection();
  EXPECT_EQ(view.TextRows(), 1);
}

TEST_F(Editing, UndoAndRedoStepThroughChanges) {
  Type("ab");
  view.SetCurrent(1, 0, 0, "TEXT");
  Type("c");
  view.Undo();
  EXPECT_EQ(view.Text(1, 0), "");
  view.Undo();
  EXPECT_EQ(view.Text(0, 0), "a");
  EXPECT_EQ(view.Current(), (VyCellPos{0, 0, "TEXT", 1}));
  view.Undo();
  EXPECT_EQ(view.Text(0, 0), "");
  EXPECT_FALSE(view.IsCommandEnabled(vycmd::kUndo));
  view.Redo();
  view.Redo();
  EXPECT_EQ(view.Text(0, 0), "ab");
  view.Redo();
  EXPECT_EQ(view.Text(1, 0), "c");
  EXPECT_FALSE(view.IsCommandEnabled(vycmd::kRedo));
  // A new change forgets what could be redone.
  view.Undo();
  Type("d");
  EXPECT_TRUE(view.RedoList().empty());
}

TEST_F(Editing, UndoNeverWritesIntoRowsThatMoved) {
  view.Fill(3, {"keep"});
  view.SetCurrent(3, 4, 0, "TEXT");
  Type("x");
  view.Select(0, 0, 1, 4);
  view.DeleteSelection();  // rows 0 and 1 go; "keep" is now row 1
  view.Undo();
  EXPECT_EQ(view.Rows()[1][0], "keep");
  EXPECT_EQ(view.Rows()[1][4], "x");
}

TEST_F(Editing, ContextMenuIsEnabledByState) {
  auto enabled = [&](int command) {
    for (auto& item : view.ContextMenu())
      if (item.command == command) return item.enabled;
    return false;
  };
  EXPECT_TRUE(enabled(vycmd::kNew));
  EXPECT_FALSE(enabled(vycmd::kSave));
  EXPECT_FALSE(enabled(vycmd::kCopy));
  EXPECT_FALSE(enabled(vycmd::kPaste));
  Type("a");
  platform.clipboard = "x";
  view.Select(0, 0, 1, 1);
  EXPECT_TRUE(enabled(vycmd::kSave));
  EXPECT_TRUE(enabled(vycmd::kCut));
  EXPECT_TRUE(enabled(vycmd::kCopy));
  EXPECT_TRUE(enabled(vycmd::kPaste));
  view.AppendMenuItem("自己的", 40001);
  EXPECT_EQ(view.ContextMenu().back().command, 40001);
}

TEST_F(Editing, CalculatorStartsWithTheSelectedNumbersAndSendsIntoNumberCells) {
  std::string seen;
  bool seenCanSend = true;
  ScopedFace<CCalculatorDlg> calculator([&](CCalculatorDlg& d) {
    seen = d.expression;
    seenCanSend = d.SendEnabled();
    d.result = "42.5";
    return true;
  });
  view.Fill(0, {"摘要", "1,234.50", "", "-2", ""});
  view.Select(0, 0, 0, 3);
  view.OnCommand(vycmd::kCalculator);
  EXPECT_EQ(seen, "1234.50+-2");
  EXPECT_TRUE(seenCanSend);  // the current cell (0, 3) is a number
  EXPECT_EQ(view.Text(0, 3), "42.5");
  view.Undo();
  EXPECT_EQ(view.Text(0, 3), "-2");

  view.SetCurrent(0, 0, 0, "TEXT");  // text cell: nothing is sent
  view.RunCalculator();
  EXPECT_EQ(seen, "");
  EXPECT_FALSE(seenCanSend);
  EXPECT_EQ(view.Text(0, 0), "摘要");
}

}  // namespace

namespace {

// Esc gives a cell back the text it had when the caret arrived (an undoable change, no report of a change
// on leaving); Ctrl+A selects the cell's text, which Delete then clears. Typing keeps inserting at the caret.
TEST_F(Editing, EscTakesBackTheEntryTextAndCtrlASelectsTheCellsText) {
  struct Case {
    std::string held, typed;  // the cell's text when the caret arrives, then the keys typed at its end
    bool restored;            // whether Esc has something to take back
  } cases[] = {{"1820", "1280", true}, {"", "5", true}, {"7", "", false}};
  for (const Case& c : cases) {
    view.Fill(0, {"", c.held});
    view.SetCurrent(0, 0, 0, "TEXT");
    view.SetCurrent(0, 1, static_cast<int>(c.held.size()), "TEXT");
    view.calls.clear();
    Type(c.typed);
    EXPECT_EQ(view.Text(0, 1), c.held + c.typed);
    EXPECT_EQ(view.RestoreEntryText(), c.restored) << c.held;
    EXPECT_EQ(view.Text(0, 1), c.held);
    EXPECT_EQ(view.Current().caret, static_cast<int>(c.held.size()));
    Key(VyKey::Tab);
    EXPECT_TRUE(view.calls.empty()) << c.held;  // left as it was found
    if (!c.restored) continue;
    view.Undo();  // the restore is undone first: the typed text is back
    EXPECT_EQ(view.Text(0, 1), c.held + c.typed);
  }
  view.Fill(0, {"", "182000"});
  view.SetCurrent(0, 1, 2, "TEXT");
  view.SelectCellText();
  EXPECT_TRUE(view.HasCharRange());
  EXPECT_TRUE(view.Copy());
  EXPECT_EQ(platform.clipboard, "182000");
  Key(VyKey::Delete);
  EXPECT_EQ(view.Text(0, 1), "");
  Type("128000");
  EXPECT_EQ(view.Text(0, 1), "128000");
  Key(VyKey::Escape);
  EXPECT_EQ(view.Text(0, 1), "182000");
}

}  // namespace
