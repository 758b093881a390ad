#pragma once
// A scripted session at the stand-in Word: one command per line, "#" starts a comment.
//
//   click ID                 a button (logIn, visitWebsite, editComments)
//   press ID                 a toggle button (boy, girl, they)
//   select ID N              item N of a drop-down or gallery
//   type ID TEXT             text typed into an edit box (the rest of the line)
//   select-subject N, select-category N, click-comment N, type-name TEXT
//                            the same for the add-in's own controls
//   answer-login EMAIL PASSWORD
//                            the next login dialog is answered so ("answer-login cancel":
//                            cancelled, as it is until this command is given)
//   answer-question yes|no   the add-in's Yes/No questions are answered so (No until given)
//   set-selection START END  the teacher selects a stretch of the document
//   type-text TEXT, new-paragraph
//                            the teacher types into the document at the selection
//   fail STEP [HRESULT]      the host refuses STEP from now on (see ParseHostStep); "fail none"
//   null-selection on|off    Application.Selection answers a null object
//   protect on|off           the active document is locked for editing: Word refuses the
//                            add-in's Selection.Text with its error 0x800A11FD
//   arguments by-value|by-reference
//                            how the actions pass their string and flag arguments from now on
//   watchdog on|off          after each action, the longest time Word's window took to answer
//                            a message: "watchdog: Word's window waited at most N ms ..."
//   new-window               Word opens another document window (empty) and makes it active:
//                            "window N opened"
//   window N [COMMAND]       the teacher turns to window N (its document is the Selection's)
//                            and, when given, runs COMMAND there
//   during "CAPTION" COMMAND COMMAND runs once, from inside the modal loop of the add-in's next
//                            dialog with that caption ("Please wait...", "Please log in..."):
//                            "during "CAPTION": COMMAND" and what it did; the dialog teacher
//                            leaves that dialog alone until then. One that never ran is
//                            reported at the end and fails the session.
//   release-addin            Word closes: OnBeginShutdown, OnDisconnection, then its last
//                            Release of the add-in ("released the add-in: its Release
//                            answered N"); later actions are refused
//   fire-event DISPID        Word fires an application event at the add-in
//   disconnect, connect      OnDisconnection, OnConnection
//   print-document, print-ribbon [ID...], print-invalidations
//                            print-ribbon with ids shows only those controls
//   print-report             the document's text as plain lines
//   print-writes             "writes N": how many texts the add-in put at the selection
//   print TEXT               the text itself, to mark a place in the transcript
//
// Unknown or malformed commands are reported and make the session fail.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "word-standin/transcript.h"
#include "word-standin/word_host.h"

namespace quillbox::standin {

class SessionCommands;

// Runs a script one line at a time, for a host that shows each step (the window).
class SessionRunner {
 public:
  SessionRunner(WordHost& host, Transcript& out);
  ~SessionRunner();
  SessionRunner(const SessionRunner&) = delete;
  SessionRunner& operator=(const SessionRunner&) = delete;

  // Runs one line; blank lines and comments do nothing. A line that is not understood is
  // reported with its number and gives false.
  bool RunLine(const std::wstring& line, size_t lineNumber);

 private:
  std::unique_ptr<SessionCommands> commands_;
  Transcript& out_;
};

// The script's lines, without line ends.
std::vector<std::wstring> ScriptLines(std::wstring_view script);

// Runs every line of script; false when a line could not be understood.
bool RunSessionScript(std::wstring_view script, WordHost& host, Transcript& out);

}  // namespace quillbox::standin
