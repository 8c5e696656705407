#include "LineEditor.h"

#include <clocale>
#include <cstdio>
#include <cwchar>
#include <iostream>

#ifdef ZEL_HAVE_LIBEDIT
#include <histedit.h>
#endif

namespace lingo {
namespace {

void Show(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

// What the terminal shows where Ctrl-C dropped a line.
constexpr std::string_view kDropped = "^C\n";

}  // namespace

#ifdef ZEL_HAVE_LIBEDIT

namespace {

constexpr int kHistoryLines = 500;

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// Ctrl-D: the end of input on an empty line, else the line as typed, as Enter takes it.
unsigned char EndOfInputOrLine(EditLine* editor, int) {
  const LineInfo* line = el_line(editor);
  if (line->lastchar == line->buffer) return CC_EOF;
  el_push(editor, "\n");
  return CC_NORM;
}

}  // namespace

struct TLineEditor::TEditor {
  EditLine* Editor = nullptr;
  History* Lines = nullptr;
  std::string Prompt;
  platform::TConsoleInterrupts* Interrupts = nullptr;

  static TEditor& Of(EditLine* editor) {
    TEditor* self = nullptr;
    el_get(editor, EL_CLIENTDATA, &self);
    return *self;
  }

  static char* ShowPrompt(EditLine* editor) { return Of(editor).Prompt.data(); }

  // One character of the terminal, as the locale's character set has it: 1, 0 at the end of
  // input, -1 when Ctrl-C was pressed. The editor's own reading would miss a Ctrl-C pressed
  // while it is busy, and then wait for the next key.
  static int ReadCharacter(EditLine* editor, wchar_t* character) {
    std::mbstate_t state{};
    for (;;) {
      char byte = 0;
      const int got = Of(editor).Interrupts->ReadByte(byte);
      if (got <= 0) {
        *character = L'\0';
        return got;
      }
      const std::size_t length = std::mbrtowc(character, &byte, 1, &state);
      if (length == static_cast<std::size_t>(-2)) continue;  // more bytes to come
      if (length == static_cast<std::size_t>(-1))            // no character: the byte
        *character = static_cast<wchar_t>(static_cast<unsigned char>(byte));
      return 1;
    }
  }
};

// The editor moves over multibyte characters as the locale's character set has them. Ctrl-C
// is left to the process (interrupts): the characters are read through it, and a press ends
// el_gets. Functions are added in the editor's wide form, whose names it keeps as given (the
// narrow form copies them and never frees the copies).
TLineEditor::TLineEditor(platform::TConsoleInterrupts& interrupts)
    : interrupts_(interrupts), editor_(std::make_unique<TEditor>()) {
  editor_->Interrupts = &interrupts;
  std::setlocale(LC_CTYPE, "");
  EditLine* editor = el_init("xtra-host", stdin, stdout, stderr);
  editor_->Editor = editor;
  editor_->Lines = history_init();
  HistEvent event;
  history(editor_->Lines, &event, H_SETSIZE, kHistoryLines);
  el_set(editor, EL_CLIENTDATA, editor_.get());
  el_set(editor, EL_EDITOR, "emacs");
  el_set(editor, EL_SIGNAL, 0);
  el_set(editor, EL_PROMPT, &TEditor::ShowPrompt);
  el_set(editor, EL_HIST, history, editor_->Lines);
  el_set(editor, EL_GETCFN, &TEditor::ReadCharacter);
  el_wset(editor, EL_ADDFN, L"zel-end-of-input", L"end of input, or take the line",
          EndOfInputOrLine);
  el_set(editor, EL_BIND, "^D", "zel-end-of-input", nullptr);
  // Home, End and Delete as terminals send them.
  for (const char* home : {"\\e[1~", "\\e[7~", "\\e[H", "\\eOH"})
    el_set(editor, EL_BIND, home, "ed-move-to-beg", nullptr);
  for (const char* end : {"\\e[4~", "\\e[8~", "\\e[F", "\\eOF"})
    el_set(editor, EL_BIND, end, "ed-move-to-end", nullptr);
  el_set(editor, EL_BIND, "\\e[3~", "ed-delete-next-char", nullptr);
}

TLineEditor::~TLineEditor() {
  el_end(editor_->Editor);
  history_end(editor_->Lines);
}

TPromptInput TLineEditor::ReadLine(std::string_view prompt, std::string& line) {
  editor_->Prompt = prompt;
  int count = 0;
  const char* typed = el_gets(editor_->Editor, &count);
  if (!typed) {
    if (count < 0 && interrupts_.TakeAfterFailedRead()) {
      el_reset(editor_->Editor);  // the terminal as it was before the line
      Show(kDropped);
      return TPromptInput::Interrupted;
    }
    Show("\n");
    return TPromptInput::End;
  }
  line = typed;
  if (!IsBlank(line)) {
    HistEvent event;
    history(editor_->Lines, &event, H_ENTER, typed);
  }
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return TPromptInput::Line;
}

#else

struct TLineEditor::TEditor {};

TLineEditor::TLineEditor(platform::TConsoleInterrupts& interrupts) : interrupts_(interrupts) {}
TLineEditor::~TLineEditor() = default;

// A read that Ctrl-C ends leaves the stream at an end that is none: cleared for the next line.
TPromptInput TLineEditor::ReadLine(std::string_view prompt, std::string& line) {
  Show(prompt);
  if (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return TPromptInput::Line;
  }
  if (!interrupts_.TakeAfterFailedRead()) return TPromptInput::End;
  std::cin.clear();
  std::clearerr(stdin);
  Show(kDropped);
  return TPromptInput::Interrupted;
}

#endif

}  // namespace lingo
