#include "ConsoleHelp.h"

namespace lingo {
namespace {

constexpr std::string_view kHandlers[] = {
    "new",     "interface", "string", "count",     "length",    "getAt", "getProp",  "getaProp",
    "integer", "float",     "symbol", "charToNum", "numToChar", "voidp", "integerp", "floatp",
    "stringp", "symbolp",   "listp",  "objectp",   "alert",     "help"};

constexpr std::string_view kStatements =
    "Statements, one a line (\\ at the end of a line continues it; -- starts a comment):\n"
    "  put EXPR                    prints -- and the value: -- 42, -- \"text\", -- [1, 2]\n"
    "  NAME = EXPR                 also: set NAME = EXPR, set NAME to EXPR\n"
    "  if COND then STATEMENT [else STATEMENT]\n"
    "  if COND then ... [else if COND then ...] [else ...] end if\n"
    "  repeat with I = A [down] to B ... end repeat\n"
    "  repeat with ITEM in LIST ... end repeat\n"
    "  repeat while COND ... end repeat\n"
    "  exit repeat, next repeat\n"
    "  HANDLER ARGS                calls a handler as a command: alert \"text\"\n"
    "\n"
    "Movie scripts:\n"
    "  on NAME [PARAM, ...] ... end [NAME]   a handler; call it as NAME(ARGS) or NAME ARGS\n"
    "  return [EXPR], exit         leave the handler (with the value)\n"
    "  global NAME, ...            global variables; outside handlers, global in all of them\n"
    "  Variables in handlers are their own; those outside handlers are global.\n"
    "  A script file's startMovie runs first, then its statements, then its stopMovie.\n"
    "\n"
    "Values and operators:\n"
    "  42  2.5  \"text\"  #symbol  [1, 2]  [#a: 1]  [:]  list[1]  plist[#a]  plist.a\n"
    "  TRUE FALSE VOID EMPTY RETURN QUOTE TAB SPACE\n"
    "  the moviePath (the script's folder, or --movie-path), the runMode (\"Author\" or\n"
    "  \"Projector\")\n"
    "  + - * / mod   & &&   = <> < > <= >=   contains starts   and or not\n"
    "\n"
    "Xtras:\n"
    "  x = new(xtra \"NAME\")         also: x = xtra(\"NAME\").new()\n"
    "  x.method(ARGS)              also: method(x, ARGS)\n"
    "  put interface(xtra \"NAME\")  the Xtra's methods\n"
    "  An instance goes (forget) when no variable or list holds it any more.\n";

constexpr std::string_view kPrompt =
    "\n"
    "At the prompt, a handler, an if or a repeat goes on over the lines typed after it\n"
    "(\"...\"); the arrow keys edit the line and recall earlier ones where the build has\n"
    "line editing. Ctrl-C drops what is typed, or stops what runs; end of input (Ctrl-D\n"
    "on an empty line, or Ctrl-Z on Windows) ends the session.\n";

}  // namespace

std::span<const std::string_view> BuiltinHandlers() {
  return kHandlers;
}

std::string HelpText(const std::vector<std::string>& xtraNames) {
  std::string text(kStatements);
  text += "  Loaded:";
  for (const std::string& name : xtraNames) (text += ' ') += name;
  text += xtraNames.empty() ? " none\n" : "\n";
  text += "\nHandlers of this console:\n ";
  std::size_t column = 1;
  for (std::string_view handler : kHandlers) {
    if (column + handler.size() + 1 > 79) {
      text += "\n ";
      column = 1;
    }
    (text += ' ') += handler;
    column += handler.size() + 1;
  }
  text += '\n';
  text += kPrompt;
  return text;
}

}  // namespace lingo
