#!/usr/bin/env python3
"""xtra-host at a terminal: the line can be edited and earlier lines recalled with the arrow
keys, Russian messages read in the terminal's UTF-8 without options, unknown handlers point at
help, and the end of input ends the session cleanly.

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

    def prompt(self):
        """Waits for the next prompt and for the line editor to hold the terminal: keys typed
        while the terminal is still in its cooked mode are the kernel's, and there the
        end-of-input key is not a key but an end of file that the editor then never sees."""
        self.read_until(b"> ")
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
    status = session.finish()
    if b"Unexpected character" in session.seen:
        sys.exit("an arrow key reached the interpreter:\n"
                 + session.seen.decode("utf-8", "replace"))
    if status != 0:
        sys.exit("xtra-host ended with %d:\n%s" % (status, session.seen.decode("utf-8", "replace")))


if __name__ == "__main__":
    main()
