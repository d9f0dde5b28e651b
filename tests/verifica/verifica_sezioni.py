#!/usr/bin/env python3
"""Independent check of `zelvo-calc section`: every printed field against
closed forms (stacked trapezoids, circles, regular polygons), Green's-theorem
edge sums for outlines and profiles, and plastic moduli from the equal-area
axis found by bisection on the outline clipped by a half-plane; profiles also
against section/dati/profili.csv; then the error paths.

Usage: verifica_sezioni.py ZELVO_CALC [SEED]; exit status 0 when all agree."""
import csv
import json
import math
import os
import sys

from comune import Confronto, argomenti, esegui, esito, f32

PI = math.pi
FATTORE = {"m": 1.0, "cm": 0.01, "mm": 0.001}

# Lengths reach the program as singles, and the reference uses the same ones:
# the rounding order leaves about k * 2^-24 relative on a quantity of degree
# k <= 4; twice that, on the larger of the value and the scale of its kind
# (area * size^(k-2)), so that what vanishes by symmetry is judged on scale.
RTOL = 8 * 2.0 ** -24

# Degree in length of every field of "section" (None: not a length).
GRADO = {"Area": 2, "xG": 1, "yG": 1, "stat_x": 3, "stat_y": 3, "jota_x": 4, "jota_y": 4,
         "jota_xy": 4, "jota_xG": 4, "jota_yG": 4, "jota_xyG": 4, "jota_IG": 4, "jota_IIG": 4,
         "AngoloJotaI": 0, "AngoloJotaII": 0, "iX": 1, "iY": 1, "WxSuperiore": 3,
         "WxInferiore": 3, "WyDestra": 3, "WySinistra": 3, "Wplx": 3, "Wply": 3,
         "nRettangolini_": None, "NumerazioneVerticiAntioraria": None}

# The halving by false position stops within Area/10000 of half the area.
TOL_RADICE = 1e-4


def in_metri(testo, unita):
    """The length the program builds from a number typed in `unita`."""
    return f32(f32(float(testo)) * FATTORE[unita])


# ------------------------------------------------ integrals of an outline

def green(xs, ys):
    """Area and moments of a closed outline by edge sums (positive either way round); the signed area."""
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
    """The part with y >= c (x >= c when `verticale`; below/left unless `sopra`) by
    Sutherland-Hodgman: pieces stay joined along the cut, adding no area or moment."""
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


def plastico_per_taglio(xs, ys, verticale, A):
    """Plastic modulus by bisection on the equal-area axis of the clipped
    outline, and what the program's halving lets through: a cut t/width off
    the axis (t <= Area/10000) changes it by 2 t (S_above - S_below)/A, plus
    t²/width, to first order; the float tolerance on top."""
    u = xs if verticale else ys
    lo, hi = min(u), max(u)

    def sopra(c):
        return green(*taglia(xs, ys, c, verticale, True))[0]

    for _ in range(200):
        m = (lo + hi) / 2
        if m <= lo or m >= hi:
            break
        lo, hi = (m, hi) if sopra(m)["A"] > A / 2 else (lo, m)
    c = (lo + hi) / 2
    gs = sopra(c)
    gi = green(*taglia(xs, ys, c, verticale, False))[0]
    k = "Sy" if verticale else "Sx"
    Ss = gs[k] - c * gs["A"]
    Si = c * gi["A"] - gi[k]
    d = (max(u) - min(u)) * 1e-6
    larg = (sopra(c - d)["A"] - sopra(c + d)["A"]) / (2 * d)
    t = TOL_RADICE * A
    return Ss + Si, 1.05 * (2 * t * abs(Ss - Si) / A + (t * t / larg if larg > 0 else 0)) + RTOL * (Ss + Si)


def attesi_contorno(xs, ys):
    """Every field of an outline by edge sums, the plastic moduli by clipping;
    the allowances for Wplx and Wply."""
    g, segno = green(xs, ys)
    (Wx, tx), (Wy, ty) = (plastico_per_taglio(xs, ys, v, g["A"]) for v in (False, True))
    return campi_attesi(g, (min(xs), max(xs), min(ys), max(ys)), segno > 0, Wx, Wy), (tx, ty)


# ------------------------------------------------ expected fields

def campi_attesi(g, box, ccw, Wplx, Wply):
    """Every field from the integrals about the axes (`g`), the vertex box
    (xmin, xmax, ymin, ymax), the sense of the outline and the plastic moduli."""
    A = g["A"]
    xG, yG = g["Sy"] / A, g["Sx"] / A
    jxG = g["Jx"] - A * yG * yG
    jyG = g["Jy"] - A * xG * xG
    jxyG = g["Jxy"] - A * xG * yG
    # principal moments: eigenvalues of the tensor [[jx, -jxy], [-jxy, jy]] (the
    # moment about (cos a, sin a) is jx cos² - 2 jxy sin cos + jy sin²), axis of jI
    m, d = (jxG + jyG) / 2, math.hypot((jxG - jyG) / 2, jxyG)
    jI, jII = m + d, m - d
    v1, v2 = (jxyG, jxG - jI), (jI - jyG, -jxyG)
    v = v1 if math.hypot(*v1) > math.hypot(*v2) else v2
    ang = math.atan2(v[1], v[0]) if math.hypot(*v) > 0 else 0.0
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
    """Every printed field against the metre values `att` in the unit; `Lc` the
    outline's size in metres, `tolW` the halving's allowance for Wplx, Wply."""
    if not c.vero("campi", sez is not None and set(sez) == set(GRADO),
                  "campi diversi: %s" % (sorted(set(sez or {}) ^ set(GRADO)))):
        return
    f = FATTORE[unita]
    A = att["Area"]
    for k, grado in GRADO.items():
        if grado is None or k.startswith("Angolo"):
            continue
        tol = RTOL * max(abs(att[k]), A * Lc ** (grado - 2)) + dict(zip(("Wplx", "Wply"), tolW)).get(k, 0.0)
        c.vicino(k, att[k] / f ** grado, sez[k], tol / f ** grado)
    for k in ("nRettangolini_", "NumerazioneVerticiAntioraria"):
        c.vero(k, sez[k] is att[k] if isinstance(att[k], bool) else sez[k] == att[k], str(sez[k]))
    # AngoloJotaI in (-pi, 0], AngoloJotaII a quarter turn on, the axis modulo pi
    # within the tensor's error over the principal spread (any axis when none)
    a1, a2 = sez["AngoloJotaI"], sez["AngoloJotaII"]
    c.vero("AngoloJotaI", -PI - 1e-12 < a1 <= 1e-12, "fuori da (-pi, 0]: %r" % a1)
    c.vicino("AngoloJotaII", a1 + PI / 2, a2, 1e-12)
    tolJ = RTOL * A * Lc * Lc
    spread = att["jota_IG"] - att["jota_IIG"]
    if spread > 1000 * tolJ:
        d = (a1 - att["AngoloJotaI"]) % PI
        c.vicino("AngoloJotaI (mod pi)", 0.0, min(d, PI - d), 4 * tolJ / spread + 1e-12)


# ------------------------------------------------ running the program

def esegui_sezione(prog, args):
    rc, out, err = esegui([prog, "section"] + args)
    try:
        d = json.loads(out) if out.strip() else None
    except ValueError:
        d = "JSON non valido: " + out[:200]
    return rc, d, err


def verifica_uscita(c, rc, d, err, unita, tipo, att, Lc, tolW):
    """A section built: exit 0, every field, no message, its unit and type."""
    if rc != 0 or not isinstance(d, dict):
        c.errori.append("%s: uscita %d: %s %s" % (c.nome, rc, err.strip(), d))
        return False
    confronta(c, d.get("section"), att, unita, Lc, tolW)
    c.vero("messaggi", d.get("messages") == [], str(d.get("messages")))
    c.vero("unit/type", d.get("unit") == unita and d.get("type") == tipo, "%s %s" % (d.get("unit"), d.get("type")))
    return True


def testo(v, cifre=4):
    return "%.*g" % (cifre, v)


def lati_casuali(rnd, unita, n, lo=0.02, hi=1.5):
    """n random lengths in metres, as texts in the unit."""
    f = FATTORE[unita]
    return [testo(rnd.uniform(lo, hi) / f) for _ in range(n)]


# ------------------------------------------------ cases of the section editor

def pila(righe):
    """Trapezoids (B top, b bottom, h) stacked downward, symmetric about x = 0, centred
    on the origin: closed-form integrals and vertical plastic modulus (half-trapezoids)."""
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
    Wx, tolx = plastico_per_taglio(xs, ys, False, A)
    att = campi_attesi(g, (-Bm / 2, Bm / 2, -H / 2, H / 2), False, Wx, Wy)
    return att, max(H, Bm), (tolx, RTOL * Wy)


def caso_righe(rnd, tipo, unita):
    """Rows of rectangles (rect, T, nrect) or of trapezoids (some pointed downward)."""
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
    return (tipo, testi) + pila(righe) + (None,)


def poligono_regolare(R, r, m):
    """The editor's polygon: m vertices clockwise from the top; with a hole, the top
    repeated, then the inner loop counterclockwise from the top, closed."""
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
    att, tolW = attesi_contorno(*poligono_regolare(Rm, rm, m))
    if tipo == "circular":
        # the exact circle's area, horizontal inertia and moduli; the rest the 50-gon's
        att["Area"] = (Rm * Rm - rm * rm) * 3.14159265358979
        att["jota_xG"] = (Rm ** 4 - rm ** 4) * 3.14159265358979 / 4
        att["WxSuperiore"] = att["WxInferiore"] = att["jota_xG"] / Rm
    return tipo, testi, att, Rm, tolW, None


def outline_coord(rnd):
    """A random outline in metres for "coord" and a label."""
    k = rnd.randint(0, 3)
    cx, cy = rnd.uniform(-3, 3), rnd.uniform(-3, 3)
    if k == 0:  # star-shaped about (cx, cy), every angular gap below pi so that it is simple
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


def caso_coord(rnd, tipo, unita):
    f = FATTORE[unita]
    nome, pts = outline_coord(rnd)
    if rnd.random() < 0.5:
        pts = pts[::-1]
    if rnd.random() < 0.3:
        pts = pts + [pts[0]]  # first vertex repeated at the end
    testi = [testo(v / f, 9) for pt in pts for v in pt]
    xs, ys = ([in_metri(t, unita) for t in testi[k::2]] for k in (0, 1))
    att, tolW = attesi_contorno(xs, ys)
    return "coord", testi, att, max(map(abs, xs + ys)), tolW, nome


# ------------------------------------------------ profiles

def contorno_profilo(tipo, h, b, tw, tf):
    """The fillet-free outline, origin at the bottom left corner, counterclockwise."""
    if tipo == "SezioneDoppioT":
        p, q = b / 2 - tw / 2, b / 2 + tw / 2
        return ([0, b, b, q, q, b, b, 0, 0, p, p, 0],
                [0, 0, tf, tf, h - tf, h - tf, h, h, h - tf, h - tf, tf, tf])
    if tipo == "SezioneProfiloU":
        return [0, b, b, tw, tw, b, b, 0], [0, 0, tf, tf, h - tf, h - tf, h, h]
    return [0, b, b, tw, tw, 0], [0, 0, tw, tw, h, h]  # L: both legs tw thick


def verifica_profilo(prog, riga, unita, grado, fy):
    nome = riga["nome"]
    c = Confronto("profile %s --unit %s" % (nome, unita))
    rc, d, err = esegui_sezione(prog, ["profile", nome, grado, "--unit", unita])
    h, b, tw, tf = (f32(float(riga[k]) / 1000) for k in ("h", "b", "tw", "tf"))
    att, tolW = attesi_contorno(*contorno_profilo(riga["tipo"], h, b, tw, tf))
    if not verifica_uscita(c, rc, d, err, unita, "profile", att, max(h, b), tolW):
        return c.errori
    cat = d.get("catalogue") or {}
    for k, v in (("name", nome), ("TipoProfilo", riga["tipo"]), ("grade", grado)):
        c.vero("catalogue." + k, cat.get(k) == v, str(cat.get(k)))
    c.vicino("catalogue.fy", fy * 1e6, cat.get("fy"), 1e-9 * fy * 1e6)
    for k, p, s in ([(k, 1, 1e-3) for k in ("h", "b", "tw", "tf", "r")] + [("Area", 2, 1e-6), ("Jy", 4, 1e-12)]
                    + [("Jz", 4, 1e-12)] + [(k, 3, 1e-9) for k in ("Wely", "Wply", "Welz", "Wplz")]):
        v = float(riga[k]) * s / FATTORE[unita] ** p
        c.vicino("catalogue." + k, v, cat.get(k), 1e-12 * abs(v) + 1e-300)
    return c.errori


# ------------------------------------------------ error paths

def verifica_esiti(prog):
    """Refused data: exit 1, no section, the message; wrong use: exit 2, usage on stderr."""
    nulla, esterno = ["Section Area is Null"], ["External radius must be > internal radius"]
    casi = [(["rect", "0", "0.5"], nulla), (["trapez", "0", "0", "0.3"], nulla),
            (["coord", "0", "0", "1", "1", "2", "2"], nulla), (["coord", "0", "0", "1", "0"], nulla),
            # a zero or negative outer radius refused, not built into moduli of the wrong sign
            (["circular", "0"], esterno), (["circular", "-0.5"], esterno),
            (["polygon", "0", "0", "5"], esterno), (["circular", "0.5", "0.5"], esterno),
            (["circular", "0.5", "0.7", "--unit", "cm"], esterno),
            (["circular", "0.5", "-0.1"], ["Internal radius must be >= 0"]),
            (["polygon", "1", "-0.2", "6"], ["Internal radius must be >= 0"])]
    sbagliati = [[], ["sphere", "1"], ["rect", "1"], ["rect", "1", "2", "3"], ["nrect", "1", "2", "3"],
                 ["circular", "1", "0.5", "0.2"], ["polygon", "1", "0", "2"], ["polygon", "1", "0", "4.5"],
                 ["polygon", "1", "0", "16384"], ["coord"], ["rect", "abc", "1"], ["rect", "1,5", "1"],
                 ["rect", "nan", "1"], ["rect", "1e400", "1"], ["rect", "0.3", "0.5", "--unit", "km"],
                 ["profile", "IPE999"], ["profile", "IPE200", "S999"], ["profile", "IPE200", "S235", "x"]]
    errori = []
    for args, messaggi in casi + [(a, None) for a in sbagliati]:
        c = Confronto("section " + " ".join(args))
        rc, d, err = esegui_sezione(prog, args)
        c.vero("uscita", rc == (2 if messaggi is None else 1), "ottenuta %d" % rc)
        if messaggi is None:
            c.vero("stdout", d is None, "atteso vuoto: %s" % d)
            c.vero("stderr", err.startswith("error: ") and "Usage: zelvo-calc section" in err, repr(err[:120]))
        elif not isinstance(d, dict):
            c.errori.append("%s: nessun JSON: %s" % (c.nome, d))
        else:
            c.vero("section", "section" in d and d["section"] is None, str(d.get("section")))
            c.vero("messaggi", d.get("messages") == messaggi, str(d.get("messages")))
            c.vero("stderr", all(m in err for m in messaggi), repr(err))
        errori += c.errori
    return errori, len(casi) + len(sbagliati)


# ------------------------------------------------ main

def main():
    prog, rnd = argomenti()
    errori = []
    tipi = ["rect", "rect", "T", "T", "nrect", "nrect", "trapez", "trapez", "circular", "polygon"]
    casi = []
    for i in range(260):
        unita, tipo = ("m", "cm", "mm")[i % 3], (tipi + ["coord"] * 3)[i % 13]
        fai = {"coord": caso_coord, "circular": caso_tondo, "polygon": caso_tondo}.get(tipo, caso_righe)
        casi.append((unita,) + fai(rnd, tipo, unita))
    for unita, tipo, testi, att, Lc, tolW, nome in casi:
        args = [tipo] + testi
        if unita != "m" or rnd.random() < 0.5:
            args += ["--unit", unita]
        c = Confronto("section " + " ".join(args) + (" (%s)" % nome if nome else ""))
        rc, d, err = esegui_sezione(prog, args)
        if verifica_uscita(c, rc, d, err, unita, tipo, att, Lc, tolW):
            c.vero("catalogue", "catalogue" not in d, "inatteso")
        errori += c.errori
    cartella = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "section", "dati")
    gradi = [("S235", 235.0), ("S275", 275.0), ("S355", 355.0)]
    with open(os.path.join(cartella, "profili.csv"), encoding="utf-8") as fh:
        profili = list(csv.DictReader(r for r in fh if r.strip() and not r.startswith("#")))
    for i, riga in enumerate(profili):
        errori += verifica_profilo(prog, riga, ("m", "cm", "mm")[(i + 1) % 3], *gradi[i % 3])
    e, n = verifica_esiti(prog)
    return esito(errori + e, len(casi) + len(profili) + n)


if __name__ == "__main__":
    sys.exit(main())
