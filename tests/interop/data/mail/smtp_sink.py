"""A real SMTP server for the mail interop tests.

Usage: smtp_sink.py PORT OUTDIR

Listens on 127.0.0.1:PORT, prints "ready" once it accepts connections, takes one
message (and the QUIT after it), takes it apart with the standard library's e-mail parser and writes what
it found under OUTDIR, then exits:
  envelope.txt      "MAIL FROM:" and "RCPT TO:" lines as the server saw them
  headers.txt       "Name: value" lines of the top-level header, values as sent
  text.txt          the decoded text part (or the whole body of a single part)
  attachment.name   the attachment's file name
  attachment.bin    the attachment's decoded bytes
"""
import email
import os
import sys
import threading

from aiosmtpd.controller import Controller


class Sink:
    def __init__(self, outdir):
        self.outdir = outdir
        self.done = threading.Event()
        self.quit = threading.Event()

    def write(self, name, data):
        mode = "wb" if isinstance(data, bytes) else "w"
        with open(os.path.join(self.outdir, name), mode) as f:
            f.write(data)

    async def handle_DATA(self, server, session, envelope):
        self.write("envelope.txt", "MAIL FROM:%s\n" % envelope.mail_from +
                   "".join("RCPT TO:%s\n" % r for r in envelope.rcpt_tos))
        message = email.message_from_bytes(envelope.original_content)
        self.write("headers.txt", "".join("%s: %s\n" % (k, v) for k, v in message.items()))
        for part in message.walk():
            if part.is_multipart():
                continue
            if part.get_filename() is not None:
                self.write("attachment.name", part.get_filename())
                self.write("attachment.bin", part.get_payload(decode=True))
            elif part.get_content_maintype() == "text":
                self.write("text.txt", part.get_payload(decode=True))
        self.done.set()
        return "250 Message accepted for delivery"

    async def handle_QUIT(self, server, session, envelope):
        # Stopping before the client's QUIT has its answer would reset a
        # connection the client is still using.
        self.quit.set()
        return "221 Bye"


def main():
    port, outdir = int(sys.argv[1]), sys.argv[2]
    sink = Sink(outdir)
    controller = Controller(sink, hostname="127.0.0.1", port=port)
    controller.start()
    print("ready", flush=True)
    if sink.done.wait(60):
        sink.quit.wait(10)
    controller.stop()


if __name__ == "__main__":
    main()
