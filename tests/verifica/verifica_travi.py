#!/usr/bin/env python3
"""Independent check of zelvo-calc on random single-span beams and rigid foundations.

The witness is a second method written here from beam theory alone:
- single spans: the direct stiffness method (Euler-Bernoulli elements with
  nodes at every load position, consistent nodal loads integrated exactly),
  which gives exact nodal displacements and reactions for these loads;
  the moment line by statics from the reactions; the deflection by exact
  double integration of M/EJ from the end displacement and rotation;
- rigid foundations: the resultant and its eccentricity give the linear soil
  pressure (full or partial contact).

Usage: verifica_travi.py ZELVO_CALC [N_PROBLEMS] [SEED]
Exit status 0 when every problem agrees within its stated tolerance.
"""
import json
import os
import random
import subprocess
import sys
import tempfile
from fractions import Fraction

from comune import Confronto, f32, gauss, scrivi_zlv


# ---------------------------------------------------------------- problems

def problema_casuale(rnd, schema):
    L = f32(rnd.choice([1, 2.5, 3, 4.2, 5, 6, 7.5, 8, 10, 12]) * rnd.choice([1, 1, 1.1]))
    E = f32(rnd.choice([2.1e11, 3e10, 2.0e11, 1.1e10]))
    J = f32(rnd.choice([8.356e-6, 1.943e-5, 1e-4, 2.3e-4, 7.5e-4]))
    tr, fo, co = [], [], []
    for _ in range(rnd.randint(0, 3)):
        a, b = sorted(rnd.uniform(0, L) for _ in range(2))
        if rnd.random() < 0.25:
            a, b = 0.0, L
        if b - a < 0.05 * L:
            b = min(L, a + 0.1 * L)
        tr.append([f32(rnd.uniform(-5e3, 2e4)), f32(rnd.uniform(-5e3, 2e4)), f32(a), f32(b)])
    for _ in range(rnd.randint(0 if tr else 1, 3)):
        d = rnd.choice([rnd.uniform(0, L), rnd.uniform(0, L), 0.0, L, L / 2])
        fo.append([f32(rnd.uniform(-2e4, 6e4)), f32(d)])
    for _ in range(rnd.randint(0, 2)):
        d = rnd.choice([rnd.uniform(0, L), 0.0, L])
        co.append([f32(rnd.uniform(-3e4, 3e4)), f32(d)])
    # keep every position inside the span after rounding to single
    for r in tr:
        r[2], r[3] = min(r[2], L), min(r[3], L)
        if r[3] <= r[2]:
            r[2], r[3] = 0.0, L
    for r in fo + co:
        r[1] = min(max(r[1], 0.0), L)
    return dict(titolo="Verifica", schema=schema, L=L, E=E, J=J, tr=tr, fo=fo, co=co,
                NSezioni=rnd.choice([100, 200, 400]), x=f32(rnd.uniform(0, L)),
                K=0.0, b=1.0, winkler=False, reag=True)


# ------------------------------------------------------ stiffness method

def risolvi(A, b):
    # exact rational elimination: the reactions come from K·u − F, where
    # floating point would lose digits on stiff, long spans
    n = len(b)
    M = [[Fraction(v) for v in row] + [Fraction(b[i])] for i, row in enumerate(A)]
    for c in range(n):
        p = max(range(c, n), key=lambda r: abs(M[r][c]))
        M[c], M[p] = M[p], M[c]
        for r in range(c + 1, n):
            k = M[r][c] / M[c][c]
            for j in range(c, n + 1):
                M[r][j] -= k * M[c][j]
    x = [0.0] * n
    for r in range(n - 1, -1, -1):
        x[r] = (M[r][n] - sum(M[r][j] * x[j] for j in range(r + 1, n))) / M[r][r]
    return x


def q_di(t, q1, q2, d1, d2):
    return q1 + (q2 - q1) * (t - d1) / (d2 - d1)


def rigidezze(p):
    """Exact end displacements/rotations and reactions of a single span.
    w positive downward, theta = dw/dx (clockwise positive)."""
    L, EJ = p["L"], f32(p["E"] * p["J"])
    nodi = sorted(set([0.0, L] + [r[2] for r in p["tr"]] + [r[3] for r in p["tr"]] +
                      [r[1] for r in p["fo"]] + [r[1] for r in p["co"]]))
    nn = len(nodi)
    K = [[Fraction(0)] * (2 * nn) for _ in range(2 * nn)]
    F = [0.0] * (2 * nn)
    for e in range(nn - 1):
        a, b = nodi[e], nodi[e + 1]
        h = b - a
        hf, ejf = Fraction(b) - Fraction(a), Fraction(EJ)
        kf = [[12, 6 * hf, -12, 6 * hf], [6 * hf, 4 * hf * hf, -6 * hf, 2 * hf * hf],
              [-12, -6 * hf, 12, -6 * hf], [6 * hf, 2 * hf * hf, -6 * hf, 4 * hf * hf]]
        k = [[12, 6 * h, -12, 6 * h], [6 * h, 4 * h * h, -6 * h, 2 * h * h],
             [-12, -6 * h, 12, -6 * h], [6 * h, 2 * h * h, -6 * h, 4 * h * h]]
        g = [2 * e, 2 * e + 1, 2 * e + 2, 2 * e + 3]
        for r in range(4):
            for c in range(4):
                # exact rational stiffness: equilibrium of the reactions holds exactly
                K[g[r]][g[c]] += ejf / hf ** 3 * kf[r][c]
        forme = [lambda s: 1 - 3 * (s / h) ** 2 + 2 * (s / h) ** 3,
                 lambda s: s * (1 - s / h) ** 2,
                 lambda s: 3 * (s / h) ** 2 - 2 * (s / h) ** 3,
                 lambda s: -s * (s / h) * (1 - s / h)]
        for q1, q2, d1, d2 in p["tr"]:
            lo, hi = max(a, d1), min(b, d2)
            if hi > lo:
                for r in range(4):
                    F[g[r]] += gauss(lambda t: q_di(t, q1, q2, d1, d2) * forme[r](t - a), lo, hi)
    for P, d in p["fo"]:
        F[2 * nodi.index(d)] += P
    for W, d in p["co"]:
        F[2 * nodi.index(d) + 1] += W
    vincolati = {0: [0, 2 * nn - 2], 1: [0, 1, 2 * nn - 2, 2 * nn - 1],
                 2: [0, 1, 2 * nn - 2], 3: [0, 1]}[p["schema"]]
    liberi = [i for i in range(2 * nn) if i not in vincolati]
    u = [Fraction(0)] * (2 * nn)
    sol = risolvi([[K[r][c] for c in liberi] for r in liberi], [F[r] for r in liberi])
    for i, v in zip(liberi, sol):
        u[i] = v
    R = [float(sum(Fraction(K[r][c]) * u[c] for c in range(2 * nn)) - Fraction(F[r])) for r in range(2 * nn)]
    u = [float(v) for v in u]
    RA, RB = -R[0], -R[2 * nn - 2]
    MA, MB = R[1], -R[2 * nn - 1]
    if p["schema"] in (0, 2):
        MB = 0.0
    if p["schema"] == 0:
        MA = 0.0
    if p["schema"] == 3:
        RB, MB = 0.0, 0.0
    return dict(EJ=EJ, w0=u[0], t0=u[1], tL=u[2 * nn - 1], RA=RA, RB=RB, MA=MA, MB=MB)


def momento(p, MA, RA, x, suolo=None):
    M, V = MA + RA * x, RA
    for q1, q2, d1, d2 in p["tr"] + ([suolo] if suolo else []):
        hi = min(x, d2)
        if hi > d1:
            V -= gauss(lambda t: q_di(t, q1, q2, d1, d2), d1, hi)
            M -= gauss(lambda t: q_di(t, q1, q2, d1, d2) * (x - t), d1, hi)
    for P, d in p["fo"]:
        if x >= d:
            V -= P
            M -= P * (x - d)
    for W, d in p["co"]:
        if x >= d:
            M += W
    return M, V


def freccia(p, s, x):
    """w(x) = w0 + t0 x - int_0^x (x-t) M(t)/EJ dt, exact piecewise Gauss."""
    rotture = sorted(set([0.0, x] + [t for r in p["tr"] for t in r[2:]] +
                         [r[1] for r in p["fo"] + p["co"]]))
    rotture = [t for t in rotture if t <= x]
    tot = 0.0
    for a, b in zip(rotture, rotture[1:]):
        eps = 1e-12 * (b - a)
        tot += gauss(lambda t: (x - t) * momento(p, s["MA"], s["RA"], min(max(t, a + eps), b - eps))[0], a, b)
    return s["w0"] + s["t0"] * x - tot / s["EJ"]


# ------------------------------------------------------------- compare

def verifica_trave(p, r, c):
    s = rigidezze(p)
    L = p["L"]
    xs = [L * i / 2000 for i in range(2001)] + [t for q in p["tr"] for t in q[2:]] + [q[1] for q in p["fo"] + p["co"]]
    Ms = [momento(p, s["MA"], s["RA"], x)[0] for x in xs]
    # the program also evaluates just left of each load: include those points
    for q in p["fo"] + p["co"]:
        if q[1] > 0:
            Ms.append(momento(p, s["MA"], s["RA"], q[1] - 1e-9 * L)[0])
    # the second and last-but-one points carry the end moments themselves
    # (a couple applied at an end is not part of them)
    Ms += [s["MA"], s["MB"]]
    fs = [freccia(p, s, x) for x in xs]
    scalaM = max(1.0, max(abs(m) for m in Ms))
    scalaR = max(1.0, abs(s["RA"]) + abs(s["RB"]) + sum(abs(q[0]) for q in p["fo"]))
    scalaF = max(1e-12, max(abs(f) for f in fs))
    N = p["NSezioni"]
    # end actions are closed-form in the program: single-precision inputs, EJ in single
    for k in ("RA", "RB"):
        c.vicino(k, s[k], r[k], 2e-6 * scalaR)
    for k in ("MA", "MB"):
        c.vicino(k, s[k], r[k], 2e-6 * scalaM)
    rotA = 0.0 if p["schema"] in (1, 2, 3) else s["t0"]
    rotB = 0.0 if p["schema"] == 1 else -s["tL"]
    scalaRot = max(1e-9 * scalaM * L / s["EJ"], abs(s["t0"]) + abs(s["tL"]))
    c.vicino("RotA", rotA, r["RotA"], 2e-5 * scalaRot)
    c.vicino("RotB", rotB, r["RotB"], 2e-5 * scalaRot)
    # extremes over the calculation points: grid error of a parabola q h^2/8
    c.vicino("Mmax", max(0.0, max(Ms)), r["Mmax"], 2e-3 * scalaM)
    c.vicino("Mmin", min(0.0, min(Ms)), r["Mmin"], 2e-3 * scalaM)
    fatt = max(fs, key=abs)
    # deflection integrated on the calculation points: the step rule puts the
    # weight 2 on the far end, so the line errs by up to h²·max|M|/(3EJ) after
    # its closing, plus h²·max|M|/(8EJ) from the interpolation at x
    h = L / N
    # the slope is integrated by trapezoids, exact for a linear moment: under a
    # distributed load it errs by h²·∫|q|/(12EJ), carried over a lever arm ≤ L
    qtot = sum(gauss(lambda t: abs(q_di(t, *q)), q[2], q[3]) for q in p["tr"])
    tolf = (1e-5 * scalaF + 0.75 * h * h * scalaM / s["EJ"] + 1e-7 * scalaM * L * L / s["EJ"] +
            1.5 * h * h * L * qtot / (12 * s["EJ"]))
    c.vicino("fmax", fatt, r["fmax"], tolf)
    x = p["x"]
    Mx, Vx = momento(p, s["MA"], s["RA"], x)
    c.vicino("Mx", Mx, r["Mx"], 1e-5 * scalaM)
    c.vicino("Vx", Vx, r["Vx"], 1e-5 * scalaR)
    c.vicino("fx", freccia(p, s, x), r["fx"], tolf)


def verifica_rigida(p, r, c):
    L = p["L"]
    N = sum(q[0] for q in p["fo"]) + sum((q[0] + q[1]) * (q[3] - q[2]) / 2 for q in p["tr"])
    # moment of all loads about the middle, positive when the resultant lies right of it
    t = sum(q[0] * (q[1] - L / 2) for q in p["fo"]) + sum(q[0] for q in p["co"])
    t += sum(gauss(lambda x: q_di(x, *q) * (x - L / 2), q[2], q[3]) for q in p["tr"])
    e = abs(t) / N
    if e >= L / 2 * (1 - 1e-6) and not p["reag"]:
        return "contatto nullo"
    if c is None:
        return "contatto"
    if e <= L / 6 or p["reag"]:
        sA, sB, cont = N / L * (1 + 6 * e / L), N / L * (1 - 6 * e / L), L
    else:
        cont = 3 * (L / 2 - e)
        sA, sB = 2 * N / cont, 0.0
    if t < 0:
        atteso = dict(qSuoloA=sA, qSuoloB=sB, xContattoIniz=0.0, xContattoFine=cont)
    else:
        atteso = dict(qSuoloA=sB, qSuoloB=sA, xContattoIniz=L - cont, xContattoFine=L)
    for k, v in atteso.items():
        scala = L if k.startswith("x") else abs(N) / L
        c.vicino(k, v, r[k], 1e-4 * scala)
    suolo = [-atteso["qSuoloA"], -atteso["qSuoloB"], atteso["xContattoIniz"], atteso["xContattoFine"]]
    if suolo[3] - suolo[2] > 0:
        Mx, Vx = momento(p, 0.0, 0.0, p["x"], suolo)
        c.vicino("Mx", Mx, r["Mx"], 1e-4 * abs(N) * L)
        c.vicino("Vx", Vx, r["Vx"], 1e-4 * abs(N))


def main():
    prog = sys.argv[1]
    n = int(sys.argv[2]) if len(sys.argv) > 2 else 60
    rnd = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 20261207)
    errori, fatti = [], 0
    with tempfile.TemporaryDirectory() as tmp:
        tmp = os.environ.get("VERIFICA_DIR", tmp)
        for i in range(n):
            schema = i % 5
            p = problema_casuale(rnd, min(schema, 4))
            if schema == 4:
                # rigid foundation under downward loads only
                p["co"] = []
                p["fo"] = [[abs(q[0]) + 1000, q[1]] for q in p["fo"]] or [[1e4, p["L"] / 3]]
                p["tr"] = [[abs(q[0]), abs(q[1]), q[2], q[3]] for q in p["tr"]]
                p["reag"] = rnd.random() < 0.5
                p["K"], p["b"] = 3e7, f32(rnd.choice([0.6, 1.0, 1.5]))
            percorso = os.path.join(tmp, "p%03d.zlv" % i)
            scrivi_zlv(p, percorso)
            esito = subprocess.run([prog, "--json", percorso], capture_output=True, text=True)
            c = Confronto("problema %d (schema %d, %s)" % (i, p["schema"], percorso))
            atteso_errore = p["schema"] == 4 and verifica_rigida(p, None, None) == "contatto nullo"
            if atteso_errore:
                # the resultant on the very end of the base: contact length 0
                # (or "Equilibrio violato !!" when rounding puts it just outside)
                if esito.returncode != 1:
                    c.errori.append("%s: atteso un calcolo interrotto, uscita %d" % (c.nome, esito.returncode))
            elif esito.returncode != 0:
                c.errori.append("%s: uscita %d: %s" % (c.nome, esito.returncode, esito.stderr.strip()))
            else:
                r = json.loads(esito.stdout)["results"]
                if p["schema"] == 4:
                    verifica_rigida(p, r, c)
                else:
                    verifica_trave(p, r, c)
            if c.errori:
                errori += c.errori
                with open(percorso, "rb") as fh:
                    errori.append("   file:\n" + fh.read().decode("cp1252"))
            fatti += 1
    for e in errori:
        print(e)
    print("%d problemi verificati, %d discrepanze" % (fatti, len([e for e in errori if not e.startswith("   ")])))
    return 1 if errori else 0


if __name__ == "__main__":
    sys.exit(main())
