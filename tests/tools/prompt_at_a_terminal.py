#!/usr/bin/env python3
"""xtra-host at a terminal: the line can be edited and earlier lines recalled with the arrow
keys, Russian messages read in the terminal's UTF-8 without options, unknown handlers point at
help, handlers can be typed, Ctrl-C drops the line being typed or stops what runs and the
session goes on, Ctrl-D takes a line with text, and on an empty line ends the session cleanly.

usage: prompt_at_a_terminal.py XTRA_HOST
"""
import os
import pty
import select
import signal
import sys
import termios
import time

UP, LEFT = b"\x1b[A", b"\x1b[D"
# Only a guard against a session that hangs; nothing is measured.
GUARD_SECONDS = 120


class Session:
    def __init__(self, program):
        env = dict(os.environ, TERM="xterm", LC_ALL="C.UTF-8")
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.execve(program, [program], env)
        self.seen = b""
        self.matched = 0  # where the text the last read_until waited for ends

    def read_until(self, text):
        """Reads until text shows after what the last call waited for."""
        while self.seen.find(text, self.matched) < 0:
            ready, _, _ = select.select([self.fd], [], [], GUARD_SECONDS)
            try:
                chunk = os.read(self.fd, 4096) if ready else b""
            except OSError:
                chunk = b""
            if not chunk:
                sys.exit("never saw %r; the terminal showed:\n%s"
                         % (text, self.seen.decode("utf-8", "replace")))
            self.seen += chunk
        self.matched = self.seen.find(text, self.matched) + len(text)

    def type(self, keys):
        os.write(self.fd, keys)

    def prompt(self, text=b"> "):
        """Waits for the next prompt (or the one given, such as "... ") and for the line editor
        to hold the terminal: keys typed while the terminal is still in its cooked mode are the
        kernel's, and there the end-of-input key is not a key but an end of file that the
        editor then never sees."""
        self.read_until(text)
        deadline = time.monotonic() + GUARD_SECONDS
        # The master side of a pseudo-terminal reads the modes the program set on its side.
        while termios.tcgetattr(self.fd)[3] & termios.ICANON:
            if time.monotonic() > deadline:
                sys.exit("the line editor never took the terminal; it showed:\n"
                         + self.seen.decode("utf-8", "replace"))
            time.sleep(0.01)

    def finish(self):
        self.prompt()
        self.type(b"\x04")
        while True:
            ready, _, _ = select.select([self.fd], [], [], GUARD_SECONDS)
            if not ready:
                os.kill(self.pid, signal.SIGKILL)
                os.waitpid(self.pid, 0)
                sys.exit("the session did not end at the end of input; the terminal showed:\n"
                         + self.seen.decode("utf-8", "replace"))
            try:
                chunk = os.read(self.fd, 4096)
            except OSError:
                chunk = b""
            if not chunk:
                break
            self.seen += chunk
        _, status = os.waitpid(self.pid, 0)
        return os.waitstatus_to_exitcode(status)


def main():
    session = Session(sys.argv[1])
    session.read_until(b"help lists what it understands")
    session.read_until(b"> ")
    session.type(b"put 6 * 7\r")
    session.read_until(b"-- 42")
    session.prompt()
    session.type(UP + b"\r")
    session.read_until(b"-- 42")
    session.prompt()
    session.type(b"put 12" + LEFT + b"3\r")
    session.read_until(b"-- 132")
    for line in (b'x = new(xtra "zelXMLParser")', b"put x.childCount()", b"put x.errorMsg()"):
        session.prompt()
        session.type(line + b"\r")
    session.read_until("-- \"Ошибка: не выбран текущий узел.\"".encode("utf-8"))
    session.prompt()
    session.type(b"frob()\r")
    session.read_until(b"Handler not defined: #frob (help lists the handlers of this console)")

    # A handler typed at the prompt, called from it.
    session.prompt()
    session.type(b"on twice n\r")
    session.prompt(b"... ")
    session.type(b"return n * 2\r")
    session.prompt(b"... ")
    session.type(b"end\r")
    session.prompt()
    session.type(b"kept = twice(21)\r")

    # Ctrl-C drops the line being typed, and a statement left open; the variables stay.
    session.prompt()
    session.type(b"put 1000 + 1")
    session.type(b"\x03")
    session.read_until(b"^C")
    session.prompt()
    session.type(b"if kept then\r")
    session.prompt(b"... ")
    session.type(b"put 2000 + 2\x03")
    session.prompt()
    session.type(b"put kept\r")
    session.read_until(b"-- 42")

    # Ctrl-C stops a statement that runs, and the session goes on.
    session.prompt()
    session.type(b"n = 0\r")
    for line in (b"repeat while 1", b"n = n + 1", b'if n = 1 then put "running"'):
        session.prompt(b"> " if line.startswith(b"repeat") else b"... ")
        session.type(line + b"\r")
    session.prompt(b"... ")
    session.type(b"end repeat\r")
    session.read_until(b'-- "running"')
    session.type(b"\x03")
    session.read_until(b"Interrupted")
    session.prompt()
    session.type(b"put n >= 1\r")
    session.read_until(b"-- 1")

    # Ctrl-D takes a line with text as it is.
    session.prompt()
    session.type(b"put kept + 3\x04")
    session.read_until(b"-- 45")
    status = session.finish()
    if b"Unexpected character" in session.seen:
        sys.exit("an arrow key reached the interpreter:\n"
                 + session.seen.decode("utf-8", "replace"))
    for dropped in (b"-- 1001", b"-- 2002"):
        if dropped in session.seen:
            sys.exit("a line that Ctrl-C dropped ran:\n" + session.seen.decode("utf-8", "replace"))
    if not session.seen.endswith(b"> \r\n"):
        sys.exit("the end of input did not end the line:\n%r" % session.seen[-40:])
    if status != 0:
        sys.exit("xtra-host ended with %d:\n%s" % (status, session.seen.decode("utf-8", "replace")))


if __name__ == "__main__":
    main()
