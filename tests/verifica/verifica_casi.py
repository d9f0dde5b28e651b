#!/usr/bin/env python3
"""Independent check of zelvo-calc on a catalogue of cases and random beams,
each solved here by another method: single spans by Macaulay's double
integration, the text report in other units from the JSON values, Winkler
beams by Hetényi's closed form and a finite-element model written out here,
the no-tension iteration and the rigid foundation by rigid-body statics.

Usage: verifica_casi.py ZELVO_CALC [SEED]; exit status 0 when all agree."""
import cmath
import itertools
import json
import math
import os
import re
import sys
import tempfile

from comune import (Confronto, argomenti, carichi_assoluti, esegui, esito, f32, gauss, q_lin,
                    risultante, scrivi_zlv)


def problema(schema, L, E, J, tr=(), fo=(), co=(), x=0.0, N=2000, **extra):
    p = dict(schema=schema, L=f32(L), E=f32(E), J=f32(J), NSezioni=N, x=f32(x),
             tr=[[f32(v) for v in r] for r in tr], fo=[[f32(v) for v in r] for r in fo],
             co=[[f32(v) for v in r] for r in co], K=0.0, b=1.0, ndiv=100, winkler=False,
             reag=True, unita=["m", "MPa", "t", "kN", "cm"])
    p.update(extra)
    return p


def fondazione(L, E, J, K, b, **extra):
    """A foundation beam, on Winkler soil unless told otherwise."""
    return problema(4, L, E, J, K=K, b=b, **dict(dict(N=200, winkler=True), **extra))


# ------------------------------------------------ statics of the loads left of x

def azioni_carichi(tr, fo, co, x):
    """V, M, I1 = int_0^x M, I2 = int_0^x (x-t) M dt at x from the loads at or left of x:
    the k-th sums -q (x-t)^k/k!, a couple W counting as W (x-t)^(k-1)/(k-1)!."""
    a = [0.0] * 4
    for k in range(4):
        for q1, q2, d1, d2 in tr:
            if min(x, d2) >= d1 and d2 > d1:
                q = q_lin(q1, q2, d1, d2)
                a[k] -= gauss(lambda t: q(t) * (x - t) ** k, d1, min(x, d2)) / math.factorial(k)
        a[k] -= sum(F * (x - d) ** k for F, d in fo if x >= d) / math.factorial(k)
        if k > 0:
            a[k] += sum(W * (x - d) ** (k - 1) for W, d in co if x >= d) / math.factorial(k - 1)
    return a


def campata(p):
    """End actions and initial slope by Macaulay's method, w positive downward:
    M(x) = MA + RA x + Ml(x), w(x) = t0 x - (MA x²/2 + RA x³/6 + I2(x))/EJ."""
    L, EJ, s = p["L"], f32(p["E"] * p["J"]), p["schema"]
    Vl, Ml, I1, I2 = azioni_carichi(p["tr"], p["fo"], p["co"], L)
    MA = RA = t0 = 0.0
    if s == 0:
        RA = -Ml / L
        t0 = (RA * L ** 3 / 6 + I2) / (EJ * L)
    elif s in (1, 2):
        # w(L) = 0 with w'(L) = 0 (fixed B) or M(L) = 0 (hinged B)
        riga, noto = ([L, L * L / 2], -I1) if s == 1 else ([1.0, L], -Ml)
        MA, RA = risolvi([riga, [L * L / 2, L ** 3 / 6]], [noto, -I2])
    elif s == 3:
        RA = -Vl
        MA = -RA * L - Ml
    tL = t0 - (MA * L + RA * L * L / 2 + I1) / EJ
    return dict(EJ=EJ, MA=MA, RA=RA, t0=t0, RB=0.0 if s == 3 else -(RA + Vl), MB=MA + RA * L + Ml if s == 1 else 0.0,
                RotA=t0 if s == 0 else 0.0, RotB=0.0 if s == 1 else -tL)


def campata_in_x(p, sol, x):
    V, M, _, I2 = azioni_carichi(p["tr"], p["fo"], p["co"], x)
    w = sol["t0"] * x - (sol["MA"] * x * x / 2 + sol["RA"] * x ** 3 / 6 + I2) / sol["EJ"]
    return M + sol["MA"] + sol["RA"] * x, V + sol["RA"], w


# ---------------------------------------------------------- comparisons

def verifica_estremi(c, r, xs, Ms, Vs, fs, tolM, tolV, tolf):
    """The extremes over the points, each at the abscissa of a point that carries it."""
    Tmax, Tmin = max(Vs), min(Vs)
    if abs(abs(Tmax) - abs(Tmin)) > 2 * tolV:
        c.vicino("Vmax", Tmin if abs(Tmax) < abs(Tmin) - tolV else Tmax, r["Vmax"], tolV)
    c.vicino("|fmax|", max(abs(f) for f in fs), abs(r["fmax"]), tolf)
    for k, valori, atteso, tol in (("Mmax", Ms, max(Ms), tolM), ("Mmin", Ms, min(Ms), tolM),
                                   ("Tmax", Vs, Tmax, tolV), ("Tmin", Vs, Tmin, tolV),
                                   ("Vmax", Vs, None, tolV), ("fmax", fs, None, tolf),
                                   ("fMaxGiu", fs, max(fs), tolf)):
        if atteso is not None:
            c.vicino(k, atteso, r[k], tol)
        if k != "Tmax":
            xv, v = r["x" + k], r[k]
            ok = any(abs(valori[i] - v) <= tol and f32(xs[i]) == f32(xv) for i in range(len(xs)))
            c.vero("x" + k, ok, "= %s: nessun punto con x = %s porta %.9g" % (xv, xv, v))


def verifica_campata(p, r, fond, c):
    sol = campata(p)
    L, EJ = p["L"], sol["EJ"]
    xs = r["x"]
    n = len(xs)
    c.vero("NPunti", r["NPunti"] == n and len(r["M"]) == n and len(r["f"]) == n)
    Ms, Vs, fs = (list(v) for v in zip(*(campata_in_x(p, sol, x) for x in xs)))
    Ms[0] = Vs[0] = Ms[-1] = Vs[-1] = 0.0
    Ms[1], Vs[1], Ms[-2], Vs[-2] = sol["MA"], sol["RA"], sol["MB"], -sol["RB"]
    fs[0], fs[-1] = 0.0, fs[-1] if p["schema"] == 3 else 0.0
    scalaM = max(1.0, max(abs(m) for m in Ms))
    carichi = carichi_assoluti(p)
    scalaV = max(1.0, max(abs(v) for v in Vs), carichi)
    scalaf = max(1e-12, max(abs(f) for f in fs))
    tolM, tolV = 3e-6 * scalaM, 3e-6 * scalaV
    scalaRot = max(abs(sol["RotA"]), abs(sol["RotB"]), scalaM * L / EJ * 1e-3)
    for k, scala in (("RA", scalaV), ("RB", scalaV), ("MA", scalaM), ("MB", scalaM),
                     ("RotA", scalaRot), ("RotB", scalaRot)):
        c.vicino(k, sol[k], r[k], 1e-6 * scala)
    # the deflection is integrated on the points: its error falls as h² (moment
    # curvature and the slope integration's jump, both within h²·max|M|/EJ)
    h = max(b - a for a, b in zip(xs, xs[1:]))
    tolf = 2e-6 * scalaf + 1.5 * h * h * scalaM / EJ + h * h * L * carichi / (6 * EJ)
    if verifica_punti(c, r, Ms, Vs, fs, tolM, tolV, tolf):
        verifica_estremi(c, r, xs, Ms, Vs, fs, tolM, tolV, tolf)
        Mx, Vx, fx = campata_in_x(p, sol, p["x"])
        verifica_in_x(c, r, Mx, Vx, fx, tolM, tolV, tolf + h * h * scalaM / (8 * EJ))


def verifica_punti(c, r, Ms, Vs, fs, tolM, tolV, tolf):
    """M, V and f at every calculation point; False after a dozen discrepancies."""
    for i, x in enumerate(r["x"]):
        for k, atteso, tol in (("M", Ms, tolM), ("V", Vs, tolV), ("f", fs, tolf)):
            c.vicino("%s(%d, x=%.9g)" % (k, i + 1, x), atteso[i], r[k][i], tol)
        if len(c.errori) > 12:
            return False
    return True


def verifica_in_x(c, r, Mx, Vx, fx, tolM, tolV, tolf):
    for k, atteso, tol in (("Mx", Mx, tolM), ("Vx", Vx, tolV), ("fx", fx, tolf)):
        c.vicino(k, atteso, r[k], tol)


def casi_campata(rnd):
    """Every scheme with each load kind alone and combined; probes on the
    supports and on every load discontinuity."""
    casi = []
    for schema in range(4):
        L = rnd.choice([3.0, 4.5, 6.0, 7.2, 10.0])
        E, J = rnd.choice([(2.1e11, 8.356e-6), (3e10, 2.3e-3), (2.0e11, 1.943e-5)])
        a, b = f32(0.3 * L), f32(0.7 * L)
        carichi = {
            "uniforme": dict(tr=[[12e3, 12e3, 0, L]]), "trapezio da A": dict(tr=[[5e3, 20e3, 0, a]]),
            "trapezio fino a B": dict(tr=[[18e3, -4e3, b, L]]), "trapezio interno": dict(tr=[[-3e3, 9e3, a, b]]),
            "triangolo interno": dict(tr=[[0, 15e3, f32(0.2 * L), f32(0.45 * L)]]),
            "forza in A": dict(fo=[[30e3, 0]]), "forza in B": dict(fo=[[30e3, L]]),
            "forza interna": dict(fo=[[-25e3, a]]), "forza in mezzeria": dict(fo=[[40e3, L / 2]]),
            "coppia in A": dict(co=[[20e3, 0]]), "coppia in B": dict(co=[[-20e3, L]]),
            "coppia interna": dict(co=[[15e3, b]]), "due forze nello stesso punto": dict(fo=[[10e3, a], [5e3, a]]),
            "tutti": dict(tr=[[12e3, 12e3, 0, L], [5e3, 20e3, 0, a], [-3e3, 9e3, a, b]],
                          fo=[[30e3, 0], [30e3, L], [-25e3, a], [40e3, L / 2]],
                          co=[[20e3, 0], [-20e3, L], [15e3, b], [7e3, a]]),
        }
        for nome, car in carichi.items():
            posizioni = sorted({f32(v) for v in [0.0, L] + [v for q in car.get("tr", []) for v in q[2:]]
                                + [q[1] for q in car.get("fo", []) + car.get("co", [])]})
            sonde = posizioni if nome == "tutti" else [rnd.choice(posizioni), rnd.uniform(0, L)]
            for k, x in enumerate(sonde):
                N = 2000 if k % 2 == 0 else rnd.choice([100, 400])
                casi.append(("schema %d, %s, x=%g" % (schema, nome, x),
                             problema(schema, L, E, J, x=x, N=N, **car)))
        # few calculation sections: the points are then mostly the loads'
        for N in (1, 2, 5, 10):
            car = carichi["tutti"] if N % 2 else carichi["forza in mezzeria"]
            casi.append(("schema %d, NSezioni %d" % (schema, N),
                         problema(schema, L, E, J, x=f32(rnd.uniform(0, L)), N=N, **car)))
    return casi


def casi_casuali(rnd, n=100):
    """Random spans of every scheme: up to three trapezoids, forces and
    couples anywhere on the span, its ends and middle included."""
    casi = []
    for i in range(n):
        L = rnd.choice([1, 2.5, 3, 4.2, 5, 6, 7.5, 8, 10, 12]) * rnd.choice([1, 1, 1.1])
        E = rnd.choice([2.1e11, 3e10, 2.0e11, 1.1e10])
        J = rnd.choice([8.356e-6, 1.943e-5, 1e-4, 2.3e-4, 7.5e-4])
        tr = []
        for _ in range(rnd.randint(0, 3)):
            a, b = sorted(rnd.uniform(0, L) for _ in range(2))
            if b - a < 0.05 * L or rnd.random() < 0.25:
                a, b = 0.0, L
            tr.append([rnd.uniform(-5e3, 2e4), rnd.uniform(-5e3, 2e4), a, b])
        fo = [[rnd.uniform(-2e4, 6e4), rnd.choice([rnd.uniform(0, L), 0.0, L, L / 2])]
              for _ in range(rnd.randint(0 if tr else 1, 3))]
        co = [[rnd.uniform(-3e4, 3e4), rnd.choice([rnd.uniform(0, L), 0.0, L])] for _ in range(rnd.randint(0, 2))]
        casi.append(("casuale %d, schema %d" % (i, i % 4),
                     problema(i % 4, L, E, J, tr, fo, co, x=rnd.uniform(0, L),
                              N=rnd.choice([100, 200, 400]))))
    return casi


# ------------------------------------------------------- report in units

FATTORI_L = {"m": 1.0, "cm": 100.0, "mm": 1000.0, "": 1.0}
FATTORI_S = {"Pa": 1.0, "MPa": 1e-6, "kPa": 1e-3, "": 1.0}
FATTORI_F = {"N": 1.0, "kN": 1e-3, "MN": 1e-6, "": 1.0}


def verifica_report(p, testo, r, fond, c):
    """The report's data and results: the JSON values times the unit factors, then the unit."""
    u = p["unita"]
    fl, fs_, ff = FATTORI_L[u[0]], FATTORI_S[u[1]], FATTORI_F[u[3]]
    um, uf, ul = u[3] + u[0], u[3], u[0]
    righe = testo.splitlines()
    i = [k for k, t in enumerate(righe) if t.startswith("E ")][0]
    testa = ["E", "J", "Luce"] if p.get("senza_unita") else ["E", u[1], "J", u[4] + "^4", "Luce", u[0]]
    c.vero("intestazione dati", righe[i].split() == testa, righe[i])
    dati = [float(t.replace(",", "")) for t in righe[i + 1].split()]
    for k, v, f in (("E", p["E"], fs_), ("J", p["J"], FATTORI_L[u[4]] ** 4), ("Luce", p["L"], fl)):
        c.vicino("report " + k, v * f, dati.pop(0), 6e-4 * v * f)
    if p["schema"] < 4:
        attesi = [("MA = ", r["MA"] * fl * ff, um), ("MB = ", r["MB"] * fl * ff, um),
                  ("RA = ", r["RA"] * ff, uf), ("RB = ", r["RB"] * ff, uf),
                  ("Rotaz. A = ", r["RotA"], "(rad)"), ("Rotaz. B = ", r["RotB"], "(rad)"),
                  ("max M+ = ", r["Mmax"] * fl * ff, um), ("x max M+ = ", r["xMmax"] * fl, ul),
                  ("max M- = ", r["Mmin"] * fl * ff, um), ("x max M- = ", r["xMmin"] * fl, ul)]
    else:
        attesi = [("Sigma_tA = ", fond["SigmaA"] * fs_, u[1]), ("Sigma_tB = ", fond["SigmaB"] * fs_, u[1]),
                  ("max M = ", fond["M"] * fl * ff, um), ("max V = ", r["Vmax"] * ff, uf),
                  ("Sigma_t max = ", fond["SigmaMax"] * fs_, u[1])]
    attesi += [("f max = ", r["fmax"] * fl, ul), ("x f max = ", r["xfmax"] * fl, ul)]
    for etichetta, atteso, unita in attesi:
        m = re.search(re.escape(etichetta) + r"\s*(-?[\d,]*\.?\d+(?:[eE][-+]?\d+)?) ?(\S*)", testo)
        c.vero("report " + etichetta, m is not None, "mancante")
        if m is not None:
            rel = 1e-8 if unita == "(rad)" else 6e-4
            c.vicino("report " + etichetta, atteso, float(m.group(1).replace(",", "")), rel * abs(atteso) + 1e-9)
            c.vero("unità di " + etichetta, m.group(2) == unita, "%s invece di %s" % (m.group(2), unita))
    k = [j for j, t in enumerate(righe) if t.startswith("x ") and "M(x)" in t][0]
    valori = [float(t.replace(",", "")) for t in righe[k + 1].split()]
    attesi = [p["x"] * fl, r["Mx"] * fl * ff, r["Vx"] * ff, r["fx"] * fl] + (
        [r["Sigmax"] * fs_] if p["schema"] == 4 else [])
    # the first force's row among the loads, in the force and length units
    j = righe.index("Carichi concentrati " + uf) + 2
    valori += [float(t.replace(",", "")) for t in righe[j].split()[1:3]]
    attesi += [p["fo"][0][0] * ff, p["fo"][0][1] * fl]
    c.vero("valori in x", len(valori) == len(attesi), righe[k + 1])
    for j, (a, v) in enumerate(zip(attesi, valori)):
        c.vicino("report in x (%d)" % j, a, v, 6e-4 * abs(a) + 1e-9)


def casi_unita():
    car = dict(tr=[[12e3, 8e3, 0.5, 5.5]], fo=[[30e3, 2.0]], co=[[15e3, 4.0]])
    tab = [(2, ["", "", "", "", ""], dict(senza_unita=True)), (0, ["cm", "kPa", "t", "N", "mm"], {}),
           (1, ["mm", "Pa", "t", "MN", "m"], {}), (2, ["m", "MPa", "t", "kN", "cm"], {}),
           (3, ["cm", "MPa", "t", "kN", "cm"], {}),
           (4, ["cm", "kPa", "t", "N", "mm"], dict(K=3e7, b=1.2, reag=False, co=[])),
           (4, ["mm", "Pa", "t", "MN", "m"], dict(K=3e7, b=1.2, winkler=True, co=[]))]
    return [("unità %s, schema %d" % ("/".join(u), s),
             problema(s, 6.0, 2.1e11, 2.3e-4, x=2.0, N=200, unita=u, **dict(car, **extra))) for s, u, extra in tab]


# ---------------------------------------------------- Winkler (Hetényi)

class Hetenyi:
    """Free-free beam on Winkler soil k' = K·b, exact: the infinite beam's
    solutions of the loads plus four decaying ones freeing both ends. Green's
    functions (w down, M sagging, V = dM/dx), r = |x - a|, s = sign(x - a), z = β(-1 + i), e^{zr} = e^{-βr}(cos βr + i sin βr):
      force P:   w = Pβ/(2k')·Re[(1-i)e^{zr}],  w' = -Pβ²/k'·Im[e^{zr}]·s,
                 M = P/(4β)·Re[(1+i)e^{zr}],    V = -P/2·Re[e^{zr}]·s
      couple W (clockwise): w = Wβ²/k'·Im[e^{zr}]·s, w' = Wβ³/k'·Re[(1+i)e^{zr}],
                 M = W/2·Re[e^{zr}]·s,          V = -Wβ/2·Re[(1-i)e^{zr}]."""

    def __init__(self, p):
        self.p, self.L, self.EJ, self.kb = p, p["L"], f32(p["E"] * p["J"]), p["K"] * p["b"]
        self.beta = (self.kb / (4 * self.EJ)) ** 0.25
        self.z = self.beta * complex(-1, 1)
        # free ends: M and V vanish at 0- and L+ (loads at the ends lie inside)
        A = [[self.omogenea(j, x)[k] for j in range(4)] for x in (0.0, self.L) for k in (2, 3)]
        rhs = [-self.particolare(x, lato)[k] for x, lato in ((0.0, -1), (self.L, 1)) for k in (2, 3)]
        self.c = risolvi(A, rhs)

    def omogenea(self, j, x):
        """w, w', M, V of e^{-βy}cos βy (j even) or e^{-βy} sin βy (j odd),
        y = x (j < 2) or y = L - x (j >= 2)."""
        b = self.beta
        y, seg = (x, 1.0) if j < 2 else (self.L - x, -1.0)
        a, bb = (1.0, 0.0) if j % 2 == 0 else (0.0, 1.0)
        der = []
        for n in range(4):
            e = math.exp(-b * y)
            der.append(e * (a * math.cos(b * y) + bb * math.sin(b * y)) * seg ** n)
            a, bb = b * (bb - a), b * (-a - bb)
        return der[0], der[1], -self.EJ * der[2], -self.EJ * der[3]

    def particolare(self, x, lato=1):
        """w, w', M, V of the loads on the infinite beam; lato = +1 puts a load
        at x itself left of the section, -1 right of it."""
        b, kb, z = self.beta, self.kb, self.z
        forza = lambda e, s: (b / (2 * kb) * (complex(1, -1) * e).real, -b * b / kb * e.imag * s,
                              1 / (4 * b) * (complex(1, 1) * e).real, -0.5 * e.real * s)
        coppia = lambda e, s: (b * b / kb * e.imag * s, b ** 3 / kb * (complex(1, 1) * e).real,
                               0.5 * e.real * s, -b / 2 * (complex(1, -1) * e).real)
        termini = []
        for carichi, unitario in ((self.p["fo"], forza), (self.p["co"], coppia)):
            for P, a in carichi:
                s = 1.0 if x > a or (x == a and lato > 0) else -1.0
                termini.append((P, unitario(cmath.exp(z * abs(x - a)), s)))
        for q1, q2, d1, d2 in self.p["tr"]:
            # the part left of x (r = x - ξ, s = 1) and right of it (r = ξ - x, s = -1)
            g = (q2 - q1) / (d2 - d1)
            for s, r0, r1 in ((1.0, x - min(x, d2), x - d1), (-1.0, max(x, d1) - x, d2 - x)):
                termini.append((1.0, forza(integra_esp(z, q1 + g * (x - d1), -s * g, r0, r1), s)))
        return [sum(P * t[k] for P, t in termini) for k in range(4)]

    def in_x(self, x, lato=1):
        q = list(self.particolare(x, lato))
        for j in range(4):
            o = self.omogenea(j, x)
            for k in range(4):
                q[k] += self.c[j] * o[k]
        return q


def integra_esp(z, u, v, r0, r1):
    """int_{r0}^{r1} (u + v r) e^{zr} dr in closed form."""
    if r1 <= r0:
        return 0j
    F = lambda r: cmath.exp(z * r) * (u / z + v * (r / z - 1 / (z * z)))
    return F(r1) - F(r0)


def risolvi(A, b):
    n = len(b)
    M = [list(map(float, row)) + [float(b[i])] for i, row in enumerate(A)]
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


def verifica_winkler(p, r, fond, c):
    h_ = Hetenyi(p)
    L, n = p["L"], p["ndiv"]
    he = L / n
    xs = r["x"]
    ws, _, Ms, Vs = (list(v) for v in zip(*(h_.in_x(x) for x in xs)))
    Ms[:2] = Ms[-2:] = Vs[:2] = Vs[-2:] = [0.0, 0.0]
    carichi = carichi_assoluti(p) + sum(abs(W) for W, d in p["co"]) * h_.beta
    scalaw = max(abs(w) for w in ws)
    scalaM = max(max(abs(m) for m in Ms), carichi / h_.beta / 8)
    # lumped springs converge to the continuous beam as (βh)²; by statics from
    # springs h apart the shear steps by one spring force, the moment by its h/2
    bh2 = (h_.beta * he) ** 2
    molle = r["Molle"]
    c.vero("Molle", len(molle) == n + 1, "righe %d" % len(molle))
    Fmolla = max(abs(m[0]) for m in molle)
    tolw = 2e-3 * scalaw + 0.5 * bh2 * scalaw
    tolM = 2e-3 * scalaM + Fmolla * he / 2 + 0.5 * bh2 * scalaM
    tolV = Fmolla * 0.5 + 2e-3 * carichi
    # spring forces: −K·b·w at the node times the tributary length
    for i, (F, xm) in enumerate(molle):
        trib = he / 2 if i in (0, n) else he
        c.vicino("Molla %d" % (i + 1), -h_.kb * h_.in_x(xm)[0] * trib, F, tolw * h_.kb * trib)
    if not verifica_punti(c, r, Ms, Vs, ws, tolM, tolV, tolw):
        return
    # the free beam with its springs is in equilibrium: no shear or moment past B
    VL, ML, _, _ = azioni_carichi(p["tr"], p["fo"] + [list(m) for m in molle], p["co"], L)
    c.vicino("V(L+) molle", 0.0, VL, 1e-6 * carichi)
    c.vicino("M(L+) molle", 0.0, ML, 1e-6 * carichi * L)
    ws[0], ws[-1] = h_.in_x(0.0)[0], h_.in_x(L)[0]
    verifica_estremi(c, r, xs, Ms, Vs, ws, tolM, tolV, tolw)
    wx, _, Mx, Vx = h_.in_x(p["x"])
    verifica_in_x(c, r, Mx, Vx, wx, tolM, tolV, tolw)
    K = p["K"]
    for k, atteso, ottenuto, tol in (("Sigmax", K * wx, r["Sigmax"], K * tolw),
                                     ("SigmaA", K * ws[0], fond["SigmaA"], K * tolw),
                                     ("SigmaB", K * ws[-1], fond["SigmaB"], K * tolw),
                                     ("fmax", max(ws, key=abs), r["fmax"], tolw),
                                     ("SigmaMax", K * max(ws), fond["SigmaMax"], K * tolw),
                                     ("|M| max", max(map(abs, Ms)), abs(fond["M"]), tolM)):
        c.vicino(k, atteso, ottenuto, tol)
    # end rotations of a free beam: the rotations relative to the chord
    (wA, tA), (wB, tB) = h_.in_x(0.0)[:2], h_.in_x(L)[:2]
    corda = (wB - wA) / L
    tolR = 2e-3 * max(abs(tA), abs(tB), scalaw / L) + 0.5 * bh2 * scalaw / L
    c.vicino("RotA", tA - corda, r["RotA"], tolR)
    c.vicino("RotB", -(tB - corda), r["RotB"], tolR)


def elementi_finiti(p):
    """Elements of length L/n (a single) on lumped springs K·b·(tributary length), work-
    equivalent loads, w down: settlements, nodes, springs, those off without tension, settled."""
    n, L = p["ndiv"], p["L"]
    EJ = f32(p["E"] * p["J"])
    xs = list(itertools.accumulate([0.0] + [f32(L / n)] * n))
    N = 2 * (n + 1)
    F = [0.0] * N
    forme = lambda s, h: (1 - 3 * (s / h) ** 2 + 2 * (s / h) ** 3, s * (1 - s / h) ** 2,
                          3 * (s / h) ** 2 - 2 * (s / h) ** 3, -s * (s / h) * (1 - s / h))
    derivate = lambda s, h: (-6 * s / h ** 2 + 6 * s * s / h ** 3, (1 - s / h) ** 2 - 2 * s / h * (1 - s / h),
                             6 * s / h ** 2 - 6 * s * s / h ** 3, -2 * s / h + 3 * s * s / h ** 2)

    elemento = lambda d: n if d >= xs[-1] else max(i for i in range(n + 1) if xs[i] <= d)

    for carichi, forma, gdl in ((p["fo"], forme, 0), (p["co"], derivate, 1)):
        for P, d in carichi:
            e = elemento(d)
            if e == n:
                F[2 * n + gdl] += P
            else:
                for k, v in enumerate(forma(d - xs[e], xs[e + 1] - xs[e])):
                    F[2 * e + k] += P * v
    for q1, q2, d1, d2 in p["tr"]:
        q = q_lin(q1, q2, d1, d2)
        for e in range(n):
            a, b = max(d1, xs[e]), min(d2, xs[e + 1])
            h = xs[e + 1] - xs[e]
            for k in range(4):
                F[2 * e + k] += gauss(lambda t: q(t) * forme(t - xs[e], h)[k], a, b)
    K = [[0.0] * N for _ in range(N)]
    for e in range(n):
        h = xs[e + 1] - xs[e]
        k = [[12, 6 * h, -12, 6 * h], [6 * h, 4 * h * h, -6 * h, 2 * h * h],
             [-12, -6 * h, 12, -6 * h], [6 * h, 2 * h * h, -6 * h, 4 * h * h]]
        for r in range(4):
            for c in range(4):
                K[2 * e + r][2 * e + c] += EJ / h ** 3 * k[r][c]
    molle = [(xs[min(i + 1, n)] - xs[max(i - 1, 0)]) / 2 * p["K"] * p["b"] for i in range(n + 1)]

    def soluzione(spente):
        A = [row[:] for row in K]
        for i in set(range(n + 1)) - spente:
            A[2 * i][2 * i] += molle[i]
        b = F[:]
        # banded symmetric elimination (half bandwidth 3)
        for c in range(N):
            for r in range(c + 1, min(N, c + 4)):
                f = A[r][c] / A[c][c]
                for j in range(c, min(N, c + 4)):
                    A[r][j] -= f * A[c][j]
                b[r] -= f * b[c]
        u = [0.0] * N
        for r in range(N - 1, -1, -1):
            u[r] = (b[r] - sum(A[r][j] * u[j] for j in range(r + 1, min(N, r + 4)))) / A[r][r]
        return [u[2 * i] for i in range(n + 1)]

    spente, w, assestata = set(), soluzione(set()), p["reag"]
    for _ in range(0 if p["reag"] else 200):
        sollevati = {i for i in range(n + 1) if w[i] < 0}
        if sollevati == spente:
            assestata = True
            break
        spente, w = sollevati, soluzione(sollevati)
    return w, xs, molle, spente, assestata


def verifica_fem(p, r, fond, c):
    w, xs, molle, spente, assestata = elementi_finiti(p)
    c.vero("assestata", assestata, "il caso non si assesta in 200 passi")
    # a flexible beam whose far parts lift: the case must exercise the iteration
    c.vero("sollevamento", spente or not p.get("solleva"), "nessun nodo sollevato")
    forze = [0.0 if i in spente else -molle[i] * w[i] for i in range(len(w))]
    scala = max(abs(f) for f in forze)
    for i, (F, xm) in enumerate(r["Molle"]):
        c.vicino("Molla %d x" % (i + 1), xs[i], xm, 1e-9 * p["L"])
        c.vicino("Molla %d" % (i + 1), forze[i], F, 1e-7 * scala)
    # actions by statics, the springs joined to the forces at single abscissae, the last at B
    sp = [[F, f32(x)] for F, x in zip(forze, xs[:-1] + [p["L"]])]
    xr = r["x"]
    carichi = carichi_assoluti(p) + scala
    for i in range(2, len(xr) - 2):
        V, M, _, _ = azioni_carichi(p["tr"], p["fo"] + sp, p["co"], xr[i])
        c.vicino("M(%d, x=%.9g)" % (i + 1, xr[i]), M, r["M"][i], 3e-6 * carichi * p["L"])
        c.vicino("V(%d, x=%.9g)" % (i + 1, xr[i]), V, r["V"][i], 3e-6 * carichi)
        if len(c.errori) > 12:
            return
    # the deflection line passes through the settlements of the end nodes
    c.vicino("f(0)", w[0], r["f"][0], 1e-6 * max(abs(v) for v in w))
    c.vicino("f(L)", w[-1], r["f"][-1], 1e-6 * max(abs(v) for v in w))
    c.vicino("SigmaA", p["K"] * w[0], fond["SigmaA"], 1e-6 * p["K"] * max(abs(v) for v in w))


def casi_fem(rnd):
    """Coarse meshes with loads on nodes, between nodes and at the ends."""
    casi = []
    for n in (1, 2, 5, 13, 40):
        L = f32(rnd.choice([4.0, 6.5, 10.0]))
        car = dict(fo=[[3e5, f32(L * 0.37)], [1e5, 0.0], [2e5, L], [1.5e5, f32(L * 2 / n) if n > 2 else L / 2]],
                   co=[[8e4, f32(L * 0.61)], [-5e4, L], [3e4, 0.0]],
                   tr=[[2e4, 6e4, f32(L * 0.12), f32(L * 0.83)], [1e4, 1e4, 0.0, L]])
        for reag in (True, False):
            for J in (0.0144, 0.0005):
                casi.append(("elementi finiti n=%d, J=%g, %s" % (n, J, "trazione" if reag else "no trazione"),
                             fondazione(L, 3e10, J, 3e7, 0.9, x=f32(L * 0.4), N=100, ndiv=n, reag=reag, **car)))
    return casi


def casi_winkler(rnd):
    casi = []
    E, J, K, b = 3e10, 0.0144, 3e7, 0.8
    beta = (K * b / (4 * f32(f32(E) * f32(J)))) ** 0.25
    for betaL in (0.8, 2.0, 4.0, 8.0):
        L = f32(betaL / beta)
        a, m = f32(0.27 * L), f32(0.5 * L)
        carichi = {
            "forza centrale": dict(fo=[[500e3, m]]), "forza in A": dict(fo=[[300e3, 0]]),
            "forza in B": dict(fo=[[300e3, L]]), "coppia interna": dict(co=[[200e3, a]]),
            "coppia in B": dict(co=[[-150e3, L]]), "uniforme": dict(tr=[[40e3, 40e3, 0, L]]),
            "trapezio interno": dict(tr=[[10e3, 80e3, a, f32(0.8 * L)]]),
            "tutti": dict(fo=[[400e3, a], [600e3, m], [100e3, L]], co=[[150e3, f32(0.9 * L)]],
                          tr=[[12e3, 30e3, 0, L], [-20e3, 5e3, f32(0.1 * L), f32(0.4 * L)]]),
        }
        for nome, car in carichi.items():
            x = rnd.choice([0.0, L, a, m, f32(rnd.uniform(0, L))])
            casi.append(("Winkler βL=%g, %s, x=%g" % (betaL, nome, x),
                         fondazione(L, E, J, K, b, x=x, N=400, ndiv=400, **car)))
    return casi


# ------------------------------------------- no-tension on a nearly rigid beam

def verifica_senza_trazione(p, r, fond, c):
    """A beam far stiffer than the soil: a linear pressure over the contact length
    c = 3(L/2 − e), peak 2N/c at the loaded end (its edge known to one element)."""
    L, n, he = p["L"], p["ndiv"], p["L"] / p["ndiv"]
    N, t = risultante(p)
    e = abs(t) / N
    cont = min(L, 3 * (L / 2 - e)) if e > L / 6 else L
    picco = 2 * N / cont if e > L / 6 else N / L * (1 + 6 * e / L)
    fondo = 0.0 if e > L / 6 else N / L * (1 - 6 * e / L)
    molle = r["Molle"]
    for i, (F, xm) in enumerate(molle):
        trib = he / 2 if i in (0, n) else he
        u = xm if t < 0 else L - xm  # distance from the loaded end
        pres = picco + (fondo - picco) * u / cont if u <= cont else 0.0
        tol = 2e-3 * picco * trib + (abs(picco) * he / cont * 1.5 * trib if abs(u - cont) < 2 * he else 0)
        c.vicino("Molla %d (x=%.4g)" % (i + 1, xm), -pres * trib, F, tol)
        c.vero("Molla %d trazione" % (i + 1), F <= 0.0, "forza %g > 0 con suolo non reagente" % F)
    c.vicino("somma molle", -N, sum(m[0] for m in molle), 1e-6 * abs(N))
    # springs off only where the beam lifts
    fs, xs = r["f"], r["x"]
    for F, xm in (m for m in molle if m[0] == 0.0):
        w = fs[min(range(len(xs)), key=lambda k: abs(xs[k] - xm))]
        c.vero("nodo x=%.4g" % xm, w <= 1e-9 * max(abs(v) for v in fs), "molla spenta ma nodo in contatto, w = %g" % w)


def casi_senza_trazione():
    # partial contact from either end, a force with a couple, full contact (e < L/6)
    tab = [(6.0, 300, dict(fo=[[500e3, 1.2]])), (10.0, 400, dict(fo=[[500e3, 8.5]])),
           (4.0, 200, dict(fo=[[500e3, 1.0]])), (6.0, 300, dict(fo=[[500e3, 2.4]])),
           (8.0, 400, dict(fo=[[500e3, 4.0]], co=[[-900e3, 4.0]], tr=[[20e3, 20e3, 0, 8.0]]))]
    return [("senza trazione, rigida, L=%g, %s" % (L, car),
             fondazione(L, 2.1e11, 50.0, 3e7, 1.0, ndiv=ndiv, reag=False, **car)) for L, ndiv, car in tab]


# ------------------------------------------------------- rigid foundation

def verifica_rigida(p, r, fond, c):
    L, b, K = p["L"], p["b"], p["K"]
    N, t = risultante(p)
    if p["reag"] or abs(t) <= N * L / 6:
        # full contact: the linear pressure with resultant N and moment t
        # about the middle, p(x) = N/L + 12·t·(x − L/2)/L³
        qa, qb, xi, xf = N / L - 6 * t / L ** 2, N / L + 6 * t / L ** 2, 0.0, L
    else:
        # a triangle from the loaded end, over three times the distance of
        # the resultant from that end
        cont = 3 * (L / 2 - abs(t) / N)
        if t < 0:
            qa, qb, xi, xf = 2 * N / cont, 0.0, 0.0, cont
        else:
            qa, qb, xi, xf = 0.0, 2 * N / cont, L - cont, L
    N = max(abs(N), 6 * abs(t) / L)
    scalaq = abs(N) / L
    for k, v, tol in (("qSuoloA", qa, scalaq), ("qSuoloB", qb, scalaq), ("xContattoIniz", xi, L),
                      ("xContattoFine", xf, L)):
        c.vicino(k, v, r[k], 2e-6 * tol)
    pres = lambda x: qa + (qb - qa) * (x - xi) / (xf - xi)
    suolo = [[-qa, -qb, xi, xf]]
    xs = r["x"]
    n = len(xs)
    tolM, tolV, tolf, tols = 3e-6 * abs(N) * L / 4, 3e-6 * abs(N), 2e-6 * scalaq / (b * K), 2e-6 * scalaq / b
    # the first two and last two points carry zero actions; the settlement is
    # the pressure line extended over the whole base, over b·K
    Ms, Vs = [0.0] * n, [0.0] * n
    fs = [pres(x) / (b * K) for x in xs]
    for i in range(2, n - 2):
        Vs[i], Ms[i], _, _ = azioni_carichi(p["tr"] + suolo, p["fo"], p["co"], xs[i])
    if not verifica_punti(c, r, Ms, Vs, fs, tolM, tolV, tolf):
        return
    verifica_estremi(c, r, xs, Ms, Vs, fs, tolM, tolV, tolf)
    Mf = r["Mmax"] if abs(r["Mmin"]) < r["Mmax"] else r["Mmin"]
    c.vicino("M fondazione", Mf, fond["M"], 0.0)
    c.vero("xM fondazione", fond["xM"] == (r["xMmax"] if Mf == r["Mmax"] else r["xMmin"]))
    x = p["x"]
    V, M, _, _ = azioni_carichi(p["tr"] + suolo, p["fo"], p["co"], x)
    verifica_in_x(c, r, M, V, pres(x) / (b * K), tolM, tolV, tolf)
    sx = pres(x) / b if (p["reag"] or xi <= x <= xf) else 0.0
    for k, atteso, ottenuto in (("Sigmax", sx, r["Sigmax"]), ("SigmaA", qa / b, fond["SigmaA"]),
                                ("SigmaB", qb / b, fond["SigmaB"]),
                                ("SigmaMax", max(qa, qb) / b, fond["SigmaMax"])):
        c.vicino(k, atteso, ottenuto, tols)


def casi_rigida():
    casi = []
    for reag in (False, True):
        for nome, car in {
            "forza in mezzeria": dict(fo=[[400e3, 2.5]]), "forza a L/3 (e = L/6)": dict(fo=[[400e3, f32(5.0 / 3)]]),
            "forza a 0.2L": dict(fo=[[400e3, 1.0]]), "forza a 0.9L": dict(fo=[[400e3, 4.5]]),
            "forza e coppia": dict(fo=[[400e3, 2.5]], co=[[300e3, 1.0]]),
            "coppia antioraria in B": dict(fo=[[400e3, 2.5]], co=[[-250e3, 5.0]]),
            "trapezio e forze": dict(tr=[[10e3, 60e3, 1.0, 5.0]], fo=[[100e3, 0.0], [250e3, 4.0]]),
            "carico verso l'alto": dict(fo=[[-100e3, 2.0], [300e3, 3.5]]),
        }.items():
            for x in (0.0, 1.0, 4.2, 5.0):
                casi.append(("rigida, %s, %s, x=%g" % (nome, "trazione" if reag else "no trazione", x),
                             fondazione(5.0, 3e10, 0.0144, 2e7, 1.2, winkler=False, x=x, reag=reag, **car)))
    # soil reacting in tension: a couple alone (±6W/L² at the ends), a net upward load
    for car in (dict(co=[[250e3, 2.0]]), dict(co=[[-180e3, 2.0]]), dict(fo=[[-1e5, 2.0]])):
        casi.append(("rigida, trazione, %s" % car, fondazione(5.0, 3e10, 0.0144, 2e7, 1.2, winkler=False, x=1.0, **car)))
    return casi


def casi_flessibili():
    casi = []
    E, J, K, b = 3e10, 0.0144, 3e7, 0.8
    beta = (K * b / (4 * f32(f32(E) * f32(J)))) ** 0.25
    for betaL, car in ((8.0, dict(fo=[[500e3, 0.1]])), (12.0, dict(fo=[[800e3, 0.5]])),
                       (8.0, dict(fo=[[300e3, 0.0]], co=[[400e3, 0.0]])),
                       (6.0, dict(co=[[600e3, 0.5]], fo=[[200e3, 0.5]]))):
        L = f32(betaL / beta)
        car = {k: [[v[0], f32(v[1] * L)] for v in vs] for k, vs in car.items()}
        casi.append(("senza trazione, flessibile βL=%g, %s" % (betaL, car),
                     fondazione(L, E, J, K, b, N=400, ndiv=300, reag=False, solleva=True, **car)))
    return casi


def verifica_riferimenti(p, r, fond, c):
    """Quoted figures: trapezoid 3 to 7 on [1, 4] of a simply supported span 6, E·J = 1."""
    for k, v in (("RotA", 31.5292), ("RotB", 29.9708), ("RA", 8.25), ("RB", 6.75)):
        c.vicino(k, v, r[k], 6e-5)


# ---------------------------------------------------------------- main

def main():
    prog, rnd = argomenti()
    errori, fatti = [], 0
    with tempfile.TemporaryDirectory() as tmp:
        cartella = os.environ.get("VERIFICA_DIR", tmp)

        def esegui_caso(p, report=False):
            percorso = os.path.join(cartella, "c%04d.zlv" % fatti)
            scrivi_zlv(p, percorso)
            return (percorso,) + esegui([prog, percorso] if report else [prog, "--json", percorso])

        riferimento = [("riferimento trapezio", problema(0, 6, 1, 1, tr=[[3, 7, 1, 4]], x=2.5, N=100))]
        gruppi = [(casi_campata(rnd) + casi_casuali(rnd), verifica_campata),
                  (casi_winkler(rnd), verifica_winkler),
                  (casi_senza_trazione(), verifica_senza_trazione),
                  (casi_fem(rnd) + casi_flessibili(), verifica_fem),
                  (casi_rigida(), verifica_rigida),
                  (casi_unita(), lambda p, r, f, c: verifica_report(p, esegui_caso(p, True)[2], r, f, c)),
                  (riferimento, verifica_riferimenti)]
        for casi, verifica in gruppi:
            for nome, p in casi:
                fatti += 1
                percorso, rc, out, err = esegui_caso(p)
                c = Confronto("%s [%s]" % (nome, percorso))
                if rc != 0:
                    c.errori.append("%s: uscita %d: %s" % (c.nome, rc, err.strip()))
                else:
                    d = json.loads(out)
                    attesi = [] if p["NSezioni"] >= 2 else [
                        "N° sezioni di calcolo = %d Troppo piccolo. Aumentare (si consiglia almeno 100) !" % p["NSezioni"]]
                    c.vero("messaggi", d["messages"] == attesi, str(d["messages"]))
                    verifica(p, d["results"], d.get("foundation"), c)
                errori += c.errori
    return esito(errori, fatti)


if __name__ == "__main__":
    sys.exit(main())
