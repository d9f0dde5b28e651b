"""Helpers shared by the independent checks of zelvo-calc."""
import math
import random
import struct
import subprocess
import sys

# Five-point Gauss: exact for the polynomials of degree <= 9 used here.
G5 = [(-0.9061798459386640, 0.2369268850561891), (-0.5384693101056831, 0.4786286704993665),
      (0.0, 0.5688888888888889), (0.5384693101056831, 0.4786286704993665),
      (0.9061798459386640, 0.2369268850561891)]


def argomenti():
    """The program and the random generator seeded from the command line."""
    return sys.argv[1], random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 20261207)


def esegui(args):
    """Exit status, standard output and standard error of one run."""
    r = subprocess.run(args, capture_output=True)
    return r.returncode, r.stdout.decode("utf-8"), r.stderr.decode("utf-8")


def esito(errori, fatti):
    """Print the discrepancies and the summary; the exit status."""
    print("\n".join(errori + ["%d casi verificati, %d discrepanze" % (fatti, len(errori))]))
    return 1 if errori else 0


def f32(v):
    return struct.unpack("f", struct.pack("f", v))[0]


def testo32(v):
    """Shortest decimal text that reads back to the same single."""
    for p in range(1, 12):
        s = "%.*g" % (p, v)
        if f32(float(s)) == v:
            return s
    return repr(v)


def gauss(fun, a, b):
    if b <= a:
        return 0.0
    c, h = (a + b) / 2, (b - a) / 2
    return sum(w * fun(c + h * t) for t, w in G5) * h


def q_lin(q1, q2, d1, d2):
    return lambda t: q1 + (q2 - q1) * (t - d1) / (d2 - d1)


def risultante(p):
    """Resultant N and its moment t about midspan (positive right of it)."""
    L = p["L"]
    N = sum(F for F, d in p["fo"]) + sum(gauss(q_lin(*q), q[2], q[3]) for q in p["tr"])
    t = sum(F * (d - L / 2) for F, d in p["fo"]) + sum(W for W, d in p["co"]) + sum(
        gauss(lambda x: q_lin(*q)(x) * (x - L / 2), q[2], q[3]) for q in p["tr"])
    return N, t


def carichi_assoluti(p):
    """Sum of the magnitudes of the forces and of the distributed loads."""
    return sum(abs(F) for F, d in p["fo"]) + sum(
        gauss(lambda t: abs(q_lin(*q)(t)), q[2], q[3]) for q in p["tr"])


def scrivi_zlv(p, percorso):
    """The data file of problem `p` (version 5.4, loads at absolute distances)."""
    b = lambda v: "#TRUE#" if v else "#FALSE#"
    righe = ['"%s","5.4"' % p.get("titolo", "Caso"),
             ",".join(testo32(v) for v in (p["E"], p["J"], p["L"])),
             str(p["NSezioni"]), str(p["schema"])]
    for carichi in (p["tr"], p["fo"], p["co"]):
        righe += [str(len(carichi))] + [",".join(testo32(v) for v in r) for r in carichi]
    unita = p.get("unita", ["m", "MPa", "t", "kN", "cm"])
    righe += [b(p.get("parziali")), b(p["reag"]), b(p.get("senza_unita")),
              ",".join('"%s"' % u for u in unita), "0",
              "%r,%r,%d,%s" % (float(p["K"]), float(p["b"]), p.get("ndiv", 100), b(p["winkler"])),
              testo32(p["x"])]
    with open(percorso, "wb") as fh:
        fh.write(("\r\n".join(righe) + "\r\n").encode("cp1252"))


class Confronto:
    """The discrepancies found on one case, each a line naming the case."""

    def __init__(self, nome):
        self.nome, self.errori = nome, []

    def vero(self, chiave, cond, testo=""):
        if not cond:
            self.errori.append("%s: %s %s" % (self.nome, chiave, testo))
        return cond

    def vicino(self, chiave, atteso, ottenuto, tol):
        if (not isinstance(ottenuto, (int, float)) or isinstance(ottenuto, bool)
                or not math.isfinite(ottenuto) or abs(ottenuto - atteso) > tol):
            self.errori.append("%s: %s atteso %.12g ottenuto %s (tol %.3g)" %
                               (self.nome, chiave, atteso, ottenuto, tol))
