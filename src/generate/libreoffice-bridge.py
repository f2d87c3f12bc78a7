#!/usr/bin/python3
# Keeps one connection to a listening LibreOffice and converts documents to PDF on
# request, so that only the first conversion of a run pays for starting it.
#
#   libreoffice-bridge.py PIPE-NAME
#
# Talks line by line on standard input and output: "loaded" once the UNO modules
# are imported (the caller starts LibreOffice only then, and falls back to one-shot
# conversions when this never comes), "ready" once connected, then for every
# request "DOCUMENT-URL<TAB>PDF-URL" one answer, "ok" or "error TEXT". At the end of
# the input LibreOffice is asked to quit: the input ends when the caller ends, even
# when it crashed, so a listening LibreOffice never outlives the program. When
# LibreOffice is gone the bridge ends without an answer, and the caller starts
# both again.
import os
import sys
import time

try:
    import uno
    from com.sun.star.beans import PropertyValue
    from com.sun.star.connection import NoConnectException
    from com.sun.star.lang import DisposedException
except ImportError:
    sys.exit(3)


def answer(line):
    sys.stdout.write(line + "\n")
    sys.stdout.flush()


def properties(**values):
    result = []
    for name, value in values.items():
        p = PropertyValue()
        p.Name = name
        p.Value = value
        result.append(p)
    return tuple(result)


def connect(pipe):
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    url = "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe
    # LibreOffice opens the pipe only late in its start, and with a new profile it
    # restarts once on the way; the caller's time limit ends the wait. Should the
    # caller die first, the bridge still connects for a while, only to end
    # LibreOffice at the end of its input.
    parent = os.getppid()
    orphaned_since = None
    while True:
        try:
            return resolver.resolve(url)
        except NoConnectException:
            if os.getppid() != parent:
                orphaned_since = orphaned_since or time.monotonic()
                if time.monotonic() - orphaned_since > 120:
                    sys.exit(5)
            time.sleep(0.05)


def convert(desktop, document, pdf):
    component = desktop.loadComponentFromURL(
        document, "_blank", 0, properties(Hidden=True, ReadOnly=True))
    if component is None:
        raise RuntimeError("the document could not be read")
    try:
        component.storeToURL(pdf, properties(FilterName="writer_pdf_Export"))
    finally:
        component.close(True)


def serve(desktop):
    for line in sys.stdin:
        fields = line.rstrip("\n").split("\t")
        if len(fields) != 2:
            answer("error malformed request")
            continue
        try:
            convert(desktop, fields[0], fields[1])
        except DisposedException:
            sys.exit(4)
        except Exception as e:  # UNO raises its own exception types
            text = " ".join(str(e).split())
            answer("error " + text.encode("ascii", "replace").decode("ascii"))
        else:
            answer("ok")


def main():
    if len(sys.argv) != 2:
        sys.exit(2)
    answer("loaded")
    context = connect(sys.argv[1])
    desktop = context.ServiceManager.createInstanceWithContext(
        "com.sun.star.frame.Desktop", context)
    try:
        answer("ready")
        serve(desktop)
    finally:
        # Also when the caller is gone and an answer could not be written.
        try:
            desktop.terminate()
        except Exception:
            pass  # already gone


main()
