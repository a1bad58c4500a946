#pragma once
// Closing the main window: the child windows close one at a time, the active one first, each entry window
// asking whether to save. An entry window whose save is cancelled stops the whole shutdown.

// The main window's part in the shutdown.
class ShutdownHost {
 public:
  virtual ~ShutdownHost() = default;
  virtual int OpenChildCount() = 0;
  // Asks the active child window to close. It may refuse; an entry window that refuses calls StopClosing.
  virtual void CloseActiveChild() = 0;
};

class ShutdownLoop {
 public:
  // True when every child window closed and the main window may close; false when one refused.
  bool Run(ShutdownHost& host);
  // Called by a child window that refuses to close: the shutdown ends with the program still running.
  void StopClosing() { keepClosing_ = false; }
  bool KeepClosing() const { return keepClosing_; }

 private:
  bool keepClosing_ = false;
};

// How an entry window's save question was answered.
enum class SaveAnswer { Saved, NotSaved, Cancel, Retry };

// An entry window asked to close has asked its view to save; whether it may close. Cancel and Retry (the
// save found rows it could not write) keep it open and stop a running shutdown.
bool EntryFrameMayClose(SaveAnswer answer, ShutdownLoop& loop);
