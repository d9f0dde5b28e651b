#!/usr/bin/env python3
"""relazione_pdf.py ZELVO_CALC esempio|lungo|fallito FILE.zlv WORKDIR [PAGES]: zelvo-calc --report-pdf
read back with poppler-utils. esempio: every number of the text report on the pages before the
diagrams, "Pagina n di N" on every page (PAGES pages, 2 unless given), the captions on the last page, no image. lungo: the same
with 70 concentrated loads, over more pages. fallito: a PDF that cannot be written."""
import collections
import os
import re
import subprocess
import sys

NUMERO = re.compile(r"^[-+]?\d[\d.,]*(E[-+]?\d+)?$")


def esegui(*argomenti):
    return subprocess.run(argomenti, capture_output=True, text=True, encoding="utf-8")


def numeri(testo):
    return [t for t in testo.split() if NUMERO.match(t)]


def errore(testo):
    print("FAIL:", testo)
    sys.exit(1)


def controlla_pdf(calc, zlv, pdf, pagine_attese=None):
    report = esegui(calc, zlv)
    if report.returncode != 0:
        errore("the calculation failed: " + report.stderr)
    r = esegui(calc, zlv, "--report-pdf", pdf)
    if r.returncode != 0 or not os.path.isfile(pdf):
        errore("--report-pdf exit %d: %s" % (r.returncode, r.stderr))

    info = esegui("pdfinfo", pdf).stdout
    n = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
    if pagine_attese is not None and not pagine_attese(n):
        errore("%d pages" % n)
    testo = esegui("pdftotext", "-layout", "-enc", "UTF-8", pdf, "-").stdout
    pagine = [p for p in testo.split("\f") if p.strip()]
    if len(pagine) != n:
        errore("%d pages of text for %d pages" % (len(pagine), n))
    for i, p in enumerate(pagine, 1):
        if "Pagina %d di %d" % (i, n) not in p:
            errore("page %d has no 'Pagina %d di %d'" % (i, i, n))
    for didascalia in ("Diagramma dei momenti", "Diagramma dei tagli", "Diagramma dei carichi"):
        if didascalia not in pagine[-1]:
            errore("no caption " + didascalia)

    # Every number of the report, as the report writes it, on the pages of
    # data and results (the diagrams' labels do not count).
    nel_pdf = collections.Counter(numeri("\n".join(pagine[:-1])))
    richiesti = collections.Counter(numeri(report.stdout))
    if not richiesti:
        errore("no numbers in the report")
    for numero, volte in richiesti.items():
        if nel_pdf[numero] < volte:
            errore("%r: %d times in the report, %d in the PDF" % (numero, volte, nel_pdf[numero]))

    immagini = esegui("pdfimages", "-list", pdf).stdout.splitlines()
    if len(immagini) != 2:
        errore("images in the PDF:\n" + "\n".join(immagini))
    return n


def lungo(zlv, cartella):
    """The example with 70 concentrated loads instead of its own."""
    righe = open(zlv, encoding="cp1252").read().splitlines()
    # Line 8: the number of concentrated loads, then one line per load.
    conta = int(righe[7])
    forze = ["%d,%s" % (1000 + 37 * i, repr(0.05 + i * 0.08)) for i in range(70)]
    righe = righe[:7] + ["70"] + forze + righe[8 + conta:]
    uscita = os.path.join(cartella, "lungo.zlv")
    with open(uscita, "w", encoding="cp1252", newline="\r\n") as f:
        f.write("\n".join(righe) + "\n")
    return uscita


def main():
    calc, modo, zlv, cartella = sys.argv[1:5]
    os.makedirs(cartella, exist_ok=True)
    nome = os.path.splitext(os.path.basename(zlv))[0]
    if modo == "esempio":
        # Two pages, or as many as the example's entry asks for (the
        # continuous beam's tables take one more).
        pagine = int(sys.argv[5]) if len(sys.argv) > 5 else 2
        controlla_pdf(calc, zlv, os.path.join(cartella, nome + ".pdf"), lambda n: n == pagine)
    elif modo == "lungo":
        n = controlla_pdf(calc, lungo(zlv, cartella), os.path.join(cartella, "lungo.pdf"),
                          lambda n: n >= 3)
        print("pages:", n)
    elif modo == "fallito":
        pdf = os.path.join(cartella, "manca", "relazione.pdf")
        r = esegui(calc, zlv, "--report-pdf", pdf)
        if r.returncode != 1:
            errore("exit status %d" % r.returncode)
        if "Impossibile scrivere il file " + pdf not in r.stderr:
            errore("stderr: " + r.stderr)
        if os.path.exists(os.path.dirname(pdf)):
            errore("something was written")
    else:
        errore("mode " + modo)


if __name__ == "__main__":
    main()
