#!/usr/bin/env python3
"""Independent check of `zelvo-calc section` on a catalogue of sections.

Every field printed under "section" is compared with a value computed here
by another method than the program's fan triangulation and false-position
halving: closed forms for stacks of rectangles and trapezoids, circles and
regular polygons; Green's-theorem edge sums for coordinate outlines and the
steel profiles' fillet-free outlines; every plastic modulus from the
equal-area axis found by bisection on the outline clipped by a half-plane
(Sutherland-Hodgman) and the two halves' first moments about it. Profiles
also against section/dati/profili.csv in the unit; then the error paths.

Usage: verifica_sezioni.py ZELVO_CALC [SEED]
Exit status 0 when every check agrees within its stated tolerance.
"""
import csv
import json
import math
import os
import random
import subprocess
import sys

from comune import Confronto, f32

PI = math.pi
FATTORE = {"m": 1.0, "cm": 0.01, "mm": 0.001}

# Lengths reach the program as 32-bit floats (the editor's table and radii,
# the profile's h, b, tw, tf). The reference below is built from the same
# rounded lengths, so what is left is at most one unit in the last place per
# length from the order in which the program rounds (display unit, then
# metres) plus double rounding: a quantity of degree k in the lengths moves by
# about k * 2^-24 relative, k <= 4. Twice that bound is the tolerance, taken on
# the larger of the value and the scale of its kind (area * size^(k-2)), so
# that quantities that vanish by symmetry (xG, jota_xyG, ...) are judged on
# the section's own scale and not on their rounding residue.
RTOL = 8 * 2.0 ** -24

# Degree in length of every field of "section" (None: not a length).
GRADO = {"Area": 2, "xG": 1, "yG": 1, "stat_x": 3, "stat_y": 3, "jota_x": 4, "jota_y": 4,
         "jota_xy": 4, "jota_xG": 4, "jota_yG": 4, "jota_xyG": 4, "jota_IG": 4, "jota_IIG": 4,
         "AngoloJotaI": 0, "AngoloJotaII": 0, "iX": 1, "iY": 1, "WxSuperiore": 3,
         "WxInferiore": 3, "WyDestra": 3, "WySinistra": 3, "Wplx": 3, "Wply": 3,
         "nRettangolini_": None, "NumerazioneVerticiAntioraria": None}

# The program halves a section by false position stopped when the area on one
# side differs from half the area by less than Area/10000.
TOL_RADICE = 1e-4


def in_metri(testo, unita):
    """The length the program builds from a number typed in `unita`."""
    return f32(f32(float(testo)) * FATTORE[unita])


# ------------------------------------------------ integrals of an outline

def green(xs, ys):
    """Area, first and second moments of a closed outline by Green's theorem
    (edge sums), made positive for clockwise outlines; also the signed area."""
    n = len(xs)
    A = Sx = Sy = Jx = Jy = Jxy = 0.0
    for i in range(n):
        x0, y0, x1, y1 = xs[i], ys[i], xs[(i + 1) % n], ys[(i + 1) % n]
        c = x0 * y1 - x1 * y0
        A += c / 2
        Sx += c * (y0 + y1) / 6
        Sy += c * (x0 + x1) / 6
        Jx += c * (y0 * y0 + y0 * y1 + y1 * y1) / 12
        Jy += c * (x0 * x0 + x0 * x1 + x1 * x1) / 12
        Jxy += c * (x0 * y1 + 2 * x0 * y0 + 2 * x1 * y1 + x1 * y0) / 24
    s = 1.0 if A >= 0 else -1.0
    return dict(A=s * A, Sx=s * Sx, Sy=s * Sy, Jx=s * Jx, Jy=s * Jy, Jxy=s * Jxy), A


def taglia(xs, ys, c, verticale, sopra):
    """The part of the outline with y >= c (x >= c when `verticale`; with
    `sopra` false the part below/left). Sutherland-Hodgman against one
    half-plane: for a non-convex outline the pieces stay joined along the cut
    line, which adds no area and no first moment."""
    u = xs if verticale else ys
    s = 1.0 if sopra else -1.0
    n = len(xs)
    ox, oy = [], []
    for i in range(n):
        j = (i + 1) % n
        di, dj = s * (u[i] - c), s * (u[j] - c)
        if di >= 0:
            ox.append(xs[i]), oy.append(ys[i])
        if (di >= 0) != (dj >= 0):
            t = di / (di - dj)
            ox.append(xs[i] + t * (xs[j] - xs[i])), oy.append(ys[i] + t * (ys[j] - ys[i]))
    return ox, oy


def plastico_per_taglio(xs, ys, verticale):
    """Plastic modulus by bisection on the equal-area axis of the clipped
    outline. Returns (W, S_above, S_below, width at the axis), the first
    moments of the two halves about the axis."""
    A = green(xs, ys)[0]["A"]
    u = xs if verticale else ys
    lo, hi = min(u), max(u)

    def sopra(c):
        return green(*taglia(xs, ys, c, verticale, True))[0]

    for _ in range(200):
        m = (lo + hi) / 2
        if m <= lo or m >= hi:
            break
        if sopra(m)["A"] > A / 2:
            lo = m
        else:
            hi = m
    c = (lo + hi) / 2
    gs = sopra(c)
    gi = green(*taglia(xs, ys, c, verticale, False))[0]
    k = "Sy" if verticale else "Sx"
    Ss = gs[k] - c * gs["A"]
    Si = c * gi["A"] - gi[k]
    d = (max(u) - min(u)) * 1e-6
    larg = (sopra(c - d)["A"] - sopra(c + d)["A"]) / (2 * d)
    return Ss + Si, Ss, Si, larg


# ------------------------------------------------ expected fields

def tol_plastico(W, Ss, Si, A, larg):
    """What the halving's stopping rule lets through. A cut t/width away from
    the equal-area axis (t <= Area/10000 the area moved) changes
    A/2 * (yG_above - yG_below) by 2 t (Ss - Si)/A to first order, plus
    t^2/width; the float tolerance on top."""
    t = TOL_RADICE * A
    return 1.05 * (2 * t * abs(Ss - Si) / A + (t * t / larg if larg > 0 else 0)) + RTOL * W


def campi_attesi(g, box, ccw, Wplx, Wply):
    """Every field from the integrals about the axes (`g`), the vertex box
    (xmin, xmax, ymin, ymax), the sense of the outline and the plastic moduli."""
    A = g["A"]
    xG, yG = g["Sy"] / A, g["Sx"] / A
    jxG = g["Jx"] - A * yG * yG
    jyG = g["Jy"] - A * xG * xG
    jxyG = g["Jxy"] - A * xG * yG
    # principal moments as eigenvalues of the inertia tensor; the axis of the
    # larger one from its eigenvector: the moment about the axis of direction
    # (cos a, sin a) is jx cos^2 - 2 jxy sin cos + jy sin^2
    m, d = (jxG + jyG) / 2, math.hypot((jxG - jyG) / 2, jxyG)
    jI, jII = m + d, m - d
    v1, v2 = (jxyG, jxG - jI), (jI - jyG, -jxyG)
    v = v1 if math.hypot(*v1) > math.hypot(*v2) else v2
    ang = math.atan2(v[1], v[0]) if math.hypot(*v) > 0 else 0.0
    # the vector v solves (jx - l) c - jxy s = 0 with the tensor's sign of
    # jxy; with the moment written above the tensor is [[jx, -jxy], [-jxy, jy]]
    xmin, xmax, ymin, ymax = box
    return {"Area": A, "xG": xG, "yG": yG, "stat_x": g["Sx"], "stat_y": g["Sy"],
            "jota_x": g["Jx"], "jota_y": g["Jy"], "jota_xy": g["Jxy"], "jota_xG": jxG,
            "jota_yG": jyG, "jota_xyG": jxyG, "jota_IG": jI, "jota_IIG": jII,
            "AngoloJotaI": ang, "AngoloJotaII": ang + PI / 2, "iX": math.sqrt(jI / A),
            "iY": math.sqrt(max(jII, 0.0) / A), "WxSuperiore": jxG / (ymax - yG),
            "WxInferiore": jxG / (yG - ymin), "WyDestra": jyG / (xmax - xG),
            "WySinistra": jyG / (xG - xmin), "Wplx": Wplx, "Wply": Wply,
            "nRettangolini_": 0, "NumerazioneVerticiAntioraria": ccw}


def confronta(c, sez, att, unita, Lc, tolW=(0.0, 0.0)):
    """Compare every printed field with the expected metre values `att`,
    converted to the unit. `Lc` is the size of the outline in metres (the
    largest coordinate or extent); `tolW` the halving's allowance for Wplx, Wply."""
    c.vero("campi", sez is not None and set(sez) == set(GRADO),
           "campi diversi: %s" % (sorted(set(sez or {}) ^ set(GRADO))))
    if not sez or set(sez) != set(GRADO):
        return
    f = FATTORE[unita]
    A = att["Area"]
    for k, grado in GRADO.items():
        if grado is None or k.startswith("Angolo"):
            continue
        scala = A * Lc ** (grado - 2)
        tol = RTOL * max(abs(att[k]), scala)
        if k == "Wplx":
            tol += tolW[0]
        if k == "Wply":
            tol += tolW[1]
        c.vicino(k, att[k] / f ** grado, sez[k], tol / f ** grado)
    c.vero("nRettangolini_", sez["nRettangolini_"] == 0, str(sez["nRettangolini_"]))
    c.vero("NumerazioneVerticiAntioraria",
           sez["NumerazioneVerticiAntioraria"] is att["NumerazioneVerticiAntioraria"],
           str(sez["NumerazioneVerticiAntioraria"]))
    # The principal direction: AngoloJotaI in (-pi, 0], AngoloJotaII a
    # quarter turn on, the axis compared modulo pi. Its error is the error of
    # the tensor over the spread of the principal moments; when they are
    # equal within rounding (circles, regular polygons, squares) every
    # direction is principal and only the range and the quarter turn are checked.
    a1, a2 = sez["AngoloJotaI"], sez["AngoloJotaII"]
    c.vero("AngoloJotaI", -PI - 1e-12 < a1 <= 1e-12, "fuori da (-pi, 0]: %r" % a1)
    c.vicino("AngoloJotaII", a1 + PI / 2, a2, 1e-12)
    tolJ = RTOL * A * Lc * Lc
    spread = att["jota_IG"] - att["jota_IIG"]
    if spread > 1000 * tolJ:
        d = (a1 - att["AngoloJotaI"]) % PI
        c.vicino("AngoloJotaI (mod pi)", 0.0, min(d, PI - d), 4 * tolJ / spread + 1e-12)


# ------------------------------------------------ running the program

class Esecutore:
    def __init__(self, prog):
        self.prog = prog

    def esegui(self, args):
        r = subprocess.run([self.prog, "section"] + args, capture_output=True)
        out = r.stdout.decode("utf-8")
        try:
            d = json.loads(out) if out.strip() else None
        except ValueError:
            d = "JSON non valido: " + out[:200]
        return r.returncode, d, r.stderr.decode("utf-8")


def testo(v, cifre=4):
    return "%.*g" % (cifre, v)


def lati_casuali(rnd, unita, n, lo=0.02, hi=1.5):
    """n random lengths in metres, as texts in the unit."""
    f = FATTORE[unita]
    return [testo(rnd.uniform(lo, hi) / f) for _ in range(n)]


# ------------------------------------------------ cases of the section editor

def pila(righe):
    """Trapezoids (B top, b bottom, h) stacked downward, symmetric about
    x = 0, the box centred on the origin: closed-form integrals, the vertical
    plastic modulus (twice the half-trapezoids' moments), the outline."""
    H = sum(r[2] for r in righe)
    Bm = max(max(r[0], r[1]) for r in righe)
    A = Sx = Jx = Jy = Wy = 0.0
    y, xs, ys = H / 2, [], []
    for B, b, h in righe:
        a = h * (B + b) / 2
        yc = y - h * (B + 2 * b) / (3 * (B + b))  # centroid below the top edge
        A += a
        Sx += a * yc
        Jx += h ** 3 * (B * B + 4 * B * b + b * b) / (36 * (B + b)) + a * yc * yc
        Jy += h * (B + b) * (B * B + b * b) / 48
        Wy += h * (B * B + B * b + b * b) / 12
        xs += [B / 2, b / 2]
        ys += [y, y - h]
        y -= h
    xs, ys = xs + [-x for x in reversed(xs)], ys + list(reversed(ys))
    g = dict(A=A, Sx=Sx, Sy=0.0, Jx=Jx, Jy=Jy, Jxy=0.0)
    Wx, Ss, Si, larg = plastico_per_taglio(xs, ys, False)
    att = campi_attesi(g, (-Bm / 2, Bm / 2, -H / 2, H / 2), False, Wx, Wy)
    return att, max(H, Bm), (tol_plastico(Wx, Ss, Si, A, larg), RTOL * Wy)


def caso_righe(rnd, tipo, unita):
    """Rows of rectangles (rect, T, nrect) or of trapezoids (trapez, some
    with a point downward)."""
    f = FATTORE[unita]
    n = {"rect": 1, "T": 2}.get(tipo) or rnd.randint(1, 5 if tipo == "nrect" else 4)
    testi, righe = [], []
    for j in range(n):
        B, b = lati_casuali(rnd, unita, 2, 0.02, 1.5)
        if tipo == "T" and j == 0:
            B = testo(rnd.uniform(0.4, 2.0) / f)
        if tipo == "trapez" and rnd.random() < 0.15:
            b = "0"
        h = lati_casuali(rnd, unita, 1, 0.01, 0.8)[0]
        testi += [B, b, h] if tipo == "trapez" else [B, h]
        Bm, bm = in_metri(B, unita), in_metri(b, unita)
        righe.append((Bm, bm if tipo == "trapez" else Bm, in_metri(h, unita)))
    return (tipo, testi) + pila(righe)


def poligono_regolare(R, r, m):
    """The editor's outline of a regular polygon: m vertices from the top,
    clockwise; with a hole, the top repeated, then the inner loop from the
    top counterclockwise, closed on its first vertex."""
    d = 2 * PI / m
    xs = [R * math.cos(PI / 2 - i * d) for i in range(m)]
    ys = [R * math.sin(PI / 2 - i * d) for i in range(m)]
    if r > 0:
        xs.append(xs[0]), ys.append(ys[0])
        xs += [r * math.cos(PI / 2 + i * d) for i in range(m + 1)]
        ys += [r * math.sin(PI / 2 + i * d) for i in range(m + 1)]
    return xs, ys


def caso_tondo(rnd, tipo, unita):
    f = FATTORE[unita]
    R = rnd.uniform(0.05, 1.5)
    r = rnd.choice([0.0, rnd.uniform(0.05, 0.95) * R])
    Rt, rt = testo(R / f), testo(r / f)
    Rm, rm = in_metri(Rt, unita), in_metri(rt, unita)
    if tipo == "circular":
        m = 50
        testi = [Rt] if (r == 0 and rnd.random() < 0.5) else [Rt, rt]
    else:
        m = rnd.randint(3, 40)
        testi = [Rt, rt, str(m)]
    xs, ys = poligono_regolare(Rm, rm, m)
    g = green(xs, ys)[0]
    box = (min(xs), max(xs), min(ys), max(ys))
    Wx, Sxs, Sxi, lx = plastico_per_taglio(xs, ys, False)
    Wy, Sys, Syi, ly = plastico_per_taglio(xs, ys, True)
    att = campi_attesi(g, box, False, Wx, Wy)
    if tipo == "circular":
        # the editor replaces the polygon's area, horizontal inertia and top
        # and bottom moduli by the exact circle's; the rest stay the 50-gon's
        # (the radii of gyration among them, taken from the principal moments)
        att["Area"] = (Rm * Rm - rm * rm) * 3.14159265358979
        att["jota_xG"] = (Rm ** 4 - rm ** 4) * 3.14159265358979 / 4
        att["WxSuperiore"] = att["WxInferiore"] = att["jota_xG"] / Rm
    tolW = (tol_plastico(Wx, Sxs, Sxi, g["A"], lx), tol_plastico(Wy, Sys, Syi, g["A"], ly))
    return tipo, testi, att, Rm, tolW


def outline_coord(rnd):
    """A random outline in metres for "coord" and a label."""
    k = rnd.randint(0, 3)
    cx, cy = rnd.uniform(-3, 3), rnd.uniform(-3, 3)
    if k == 0:  # star-shaped about (cx, cy), non-convex
        # vertices in angular order with every angular gap below pi, so that
        # the outline is simple (a wider gap lets edges cross)
        n = rnd.randint(5, 14)
        ang = [2 * PI * (i + 0.8 * rnd.random()) / n for i in range(n)]
        pts = [(cx + rr * math.cos(a), cy + rr * math.sin(a))
               for a, rr in ((a, rnd.uniform(0.1, 1.0)) for a in ang)]
        return "stella", pts
    if k == 1:  # rectangle b x h turned by phi
        b, h, phi = rnd.uniform(0.1, 1.2), rnd.uniform(0.1, 1.2), rnd.uniform(-PI, PI)
        c, s = math.cos(phi), math.sin(phi)
        loc = [(-b / 2, -h / 2), (b / 2, -h / 2), (b / 2, h / 2), (-b / 2, h / 2)]
        return "rettangolo ruotato", [(cx + c * x - s * y, cy + s * x + c * y) for x, y in loc]
    if k == 2:  # L
        b, h = rnd.uniform(0.2, 1.2), rnd.uniform(0.2, 1.2)
        t = rnd.uniform(0.03, 0.5) * min(b, h)
        return "L", [(cx, cy), (cx + b, cy), (cx + b, cy + t), (cx + t, cy + t), (cx + t, cy + h),
                     (cx, cy + h)]
    b, h = rnd.uniform(0.2, 1.2), rnd.uniform(0.3, 1.2)  # U open upward
    t = rnd.uniform(0.03, 0.3) * min(b, h)
    return "U", [(cx, cy), (cx + b, cy), (cx + b, cy + h), (cx + b - t, cy + h), (cx + b - t, cy + t),
                 (cx + t, cy + t), (cx + t, cy + h), (cx, cy + h)]


def caso_coord(rnd, unita):
    f = FATTORE[unita]
    nome, pts = outline_coord(rnd)
    if rnd.random() < 0.5:
        pts = pts[::-1]
    if rnd.random() < 0.3:
        pts = pts + [pts[0]]  # first vertex repeated at the end
    testi = []
    for x, y in pts:
        testi += [testo(x / f, 9), testo(y / f, 9)]
    xs = [in_metri(t, unita) for t in testi[0::2]]
    ys = [in_metri(t, unita) for t in testi[1::2]]
    g, segno = green(xs, ys)
    Wx, Sxs, Sxi, lx = plastico_per_taglio(xs, ys, False)
    Wy, Sys, Syi, ly = plastico_per_taglio(xs, ys, True)
    att = campi_attesi(g, (min(xs), max(xs), min(ys), max(ys)), segno > 0, Wx, Wy)
    Lc = max(max(map(abs, xs)), max(map(abs, ys)))
    tolW = (tol_plastico(Wx, Sxs, Sxi, g["A"], lx), tol_plastico(Wy, Sys, Syi, g["A"], ly))
    return "coord", testi, att, Lc, tolW, nome


# ------------------------------------------------ profiles

def leggi_catalogo(percorso):
    with open(percorso, encoding="utf-8") as fh:
        righe = [r for r in fh if r.strip() and not r.startswith("#")]
    return list(csv.DictReader(righe))


def contorno_profilo(tipo, h, b, tw, tf):
    """The fillet-free outline, origin at the bottom left corner, counterclockwise."""
    if tipo == "SezioneDoppioT":
        p, q = b / 2 - tw / 2, b / 2 + tw / 2
        return ([0, b, b, q, q, b, b, 0, 0, p, p, 0],
                [0, 0, tf, tf, h - tf, h - tf, h, h, h - tf, h - tf, tf, tf])
    if tipo == "SezioneProfiloU":
        return [0, b, b, tw, tw, b, b, 0], [0, 0, tf, tf, h - tf, h - tf, h, h]
    return [0, b, b, tw, tw, 0], [0, 0, tw, tw, h, h]  # L: both legs tw thick


def verifica_profilo(es, riga, unita, grado, fy):
    nome = riga["nome"]
    c = Confronto("profile %s --unit %s" % (nome, unita))
    rc, d, err = es.esegui(["profile", nome, grado, "--unit", unita])
    if rc != 0 or not isinstance(d, dict):
        c.errori.append("%s: uscita %d: %s %s" % (c.nome, rc, err.strip(), d))
        return c.errori
    f = FATTORE[unita]
    h, b, tw, tf = (f32(float(riga[k]) / 1000) for k in ("h", "b", "tw", "tf"))
    xs, ys = contorno_profilo(riga["tipo"], h, b, tw, tf)
    g = green(xs, ys)[0]
    Wx, Sxs, Sxi, lx = plastico_per_taglio(xs, ys, False)
    Wy, Sys, Syi, ly = plastico_per_taglio(xs, ys, True)
    att = campi_attesi(g, (0.0, b, 0.0, h), True, Wx, Wy)
    tolW = (tol_plastico(Wx, Sxs, Sxi, g["A"], lx), tol_plastico(Wy, Sys, Syi, g["A"], ly))
    confronta(c, d.get("section"), att, unita, max(h, b), tolW)
    c.vero("messaggi", d.get("messages") == [], str(d.get("messages")))
    c.vero("unit/type", d.get("unit") == unita and d.get("type") == "profile",
           "%s %s" % (d.get("unit"), d.get("type")))
    cat = d.get("catalogue") or {}
    c.vero("catalogue.name", cat.get("name") == nome, str(cat.get("name")))
    c.vero("catalogue.TipoProfilo", cat.get("TipoProfilo") == riga["tipo"], str(cat.get("TipoProfilo")))
    c.vero("catalogue.grade", cat.get("grade") == grado, str(cat.get("grade")))
    c.vicino("catalogue.fy", fy * 1e6, cat.get("fy"), 1e-9 * fy * 1e6)
    for k, p, s in (("h", 1, 1e-3), ("b", 1, 1e-3), ("tw", 1, 1e-3), ("tf", 1, 1e-3),
                    ("r", 1, 1e-3), ("Area", 2, 1e-6), ("Jy", 4, 1e-12), ("Jz", 4, 1e-12),
                    ("Wely", 3, 1e-9), ("Wply", 3, 1e-9), ("Welz", 3, 1e-9), ("Wplz", 3, 1e-9)):
        v = float(riga[k]) * s / f ** p
        c.vicino("catalogue." + k, v, cat.get(k), 1e-12 * abs(v) + 1e-300)
    return c.errori


# ------------------------------------------------ error paths

def verifica_esiti(es):
    errori, fatti = [], 0
    nulla, esterno = ["Section Area is Null"], ["External radius must be > internal radius"]
    casi = [(["rect", "0", "0.5"], nulla), (["trapez", "0", "0", "0.3"], nulla),
            (["coord", "0", "0", "1", "1", "2", "2"], nulla), (["coord", "0", "0", "1", "0"], nulla),
            # a zero or negative outer radius is refused as a radius, not built
            # into a point or a turned outline with moduli of the wrong sign
            (["circular", "0"], esterno), (["circular", "-0.5"], esterno),
            (["polygon", "0", "0", "5"], esterno), (["circular", "0.5", "0.5"], esterno),
            (["circular", "0.5", "0.7", "--unit", "cm"], esterno),
            (["circular", "0.5", "-0.1"], ["Internal radius must be >= 0"]),
            (["polygon", "1", "-0.2", "6"], ["Internal radius must be >= 0"])]
    for args, messaggi in casi:
        fatti += 1
        c = Confronto("section " + " ".join(args))
        rc, d, err = es.esegui(args)
        c.vero("uscita", rc == 1, "attesa 1, ottenuta %d" % rc)
        if not isinstance(d, dict):
            c.errori.append("%s: nessun JSON: %s" % (c.nome, d))
        else:
            c.vero("section", "section" in d and d["section"] is None, str(d.get("section")))
            c.vero("messaggi", d.get("messages") == messaggi, str(d.get("messages")))
            c.vero("stderr", all(m in err for m in messaggi), repr(err))
        errori += c.errori
    sbagliati = [[], ["sphere", "1"], ["rect", "1"], ["rect", "1", "2", "3"], ["nrect", "1", "2", "3"],
                 ["circular", "1", "0.5", "0.2"], ["polygon", "1", "0", "2"], ["polygon", "1", "0", "4.5"],
                 ["polygon", "1", "0", "16384"], ["coord"], ["rect", "abc", "1"], ["rect", "1,5", "1"],
                 ["rect", "nan", "1"], ["rect", "1e400", "1"], ["rect", "0.3", "0.5", "--unit", "km"],
                 ["profile", "IPE999"], ["profile", "IPE200", "S999"], ["profile", "IPE200", "S235", "x"]]
    for args in sbagliati:
        fatti += 1
        c = Confronto("section " + " ".join(args))
        rc, d, err = es.esegui(args)
        c.vero("uscita", rc == 2, "attesa 2, ottenuta %d" % rc)
        c.vero("stdout", d is None, "atteso vuoto: %s" % d)
        c.vero("stderr", err.startswith("error: ") and "Usage: zelvo-calc section" in err, repr(err[:120]))
        errori += c.errori
    return errori, fatti


# ------------------------------------------------ main

def main():
    prog = sys.argv[1]
    rnd = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 20261207)
    es = Esecutore(prog)
    errori, fatti = [], 0

    tipi = ["rect", "rect", "T", "T", "nrect", "nrect", "trapez", "trapez", "circular", "polygon"]
    casi = []
    for i in range(260):
        unita, tipo = ("m", "cm", "mm")[i % 3], (tipi + ["coord"] * 3)[i % 13]
        if tipo == "coord":
            casi.append((unita,) + caso_coord(rnd, unita))
        else:
            fai = caso_tondo if tipo in ("circular", "polygon") else caso_righe
            casi.append((unita,) + fai(rnd, tipo, unita) + (None,))
    for unita, tipo, testi, att, Lc, tolW, nome in casi:
        args = [tipo] + testi
        if unita != "m" or rnd.random() < 0.5:
            args += ["--unit", unita]
        c = Confronto("section " + " ".join(args) + (" (%s)" % nome if nome else ""))
        rc, d, err = es.esegui(args)
        fatti += 1
        if rc != 0 or not isinstance(d, dict):
            errori.append("%s: uscita %d: %s %s" % (c.nome, rc, err.strip(), d))
            continue
        confronta(c, d.get("section"), att, unita, Lc, tolW)
        c.vero("messaggi", d.get("messages") == [], str(d.get("messages")))
        c.vero("unit/type", d.get("unit") == unita and d.get("type") == tipo,
               "%s %s" % (d.get("unit"), d.get("type")))
        c.vero("catalogue", "catalogue" not in d, "inatteso")
        errori += c.errori

    cartella = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "section", "dati")
    gradi = [("S235", 235.0), ("S275", 275.0), ("S355", 355.0)]
    for i, riga in enumerate(leggi_catalogo(os.path.join(cartella, "profili.csv"))):
        grado, fy = gradi[i % 3]
        errori += verifica_profilo(es, riga, ("m", "cm", "mm")[(i + 1) % 3], grado, fy)
        fatti += 1

    e, n = verifica_esiti(es)
    errori += e
    fatti += n
    for e in errori:
        print(e)
    print("%d casi verificati, %d discrepanze" % (fatti, len(errori)))
    return 1 if errori else 0


if __name__ == "__main__":
    sys.exit(main())
