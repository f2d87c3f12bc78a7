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
# the input LibreOffice is asked to quit. When LibreOffice is gone the bridge ends
# without an answer, and the caller starts both again.
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
    # restarts once on the way; the caller's time limit ends the wait.
    while True:
        try:
            return resolver.resolve(url)
        except NoConnectException:
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


def main():
    if len(sys.argv) != 2:
        sys.exit(2)
    answer("loaded")
    context = connect(sys.argv[1])
    desktop = context.ServiceManager.createInstanceWithContext(
        "com.sun.star.frame.Desktop", context)
    answer("ready")
    for line in sys.stdin:
        fields = line.rstrip("\n").split("\t")
        if len(fields) != 2:
            answer("error malformed request")
            continue
        try:
            convert(desktop, fields[0], fields[1])
            answer("ok")
        except DisposedException:
            sys.exit(4)
        except Exception as e:  # UNO raises its own exception types
            answer("error " + " ".join(str(e).split()))
    try:
        desktop.terminate()
    except Exception:
        pass  # already gone


main()
