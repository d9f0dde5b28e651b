"""Checks the exported DXF diagrams with a real DXF reader (ezdxf).

For every .dxf in the folder given on the command line: the file must load
and ezdxf's audit must report no error; the entities are split into the three
diagrams at the beam axes (the first LINE of colour 7 across the whole span
opens each diagram) and the shear diagram must lie entirely below the moment
diagram, the load diagram entirely below the shear diagram.
"""
import glob
import os
import sys

import ezdxf


def estensione(entita):
    """Lowest and highest ordinate of an entity (TEXT: baseline to top)."""
    t = entita.dxftype()
    if t == "LINE":
        ys = [entita.dxf.start[1], entita.dxf.end[1]]
    elif t == "ARC":
        c, r = entita.dxf.center, entita.dxf.radius
        ys = [p[1] for p in entita.flattening(r / 50)] or [c[1]]
    elif t == "POLYLINE":
        ys = [v.dxf.location[1] for v in entita.vertices]
    elif t == "TEXT":
        y = entita.dxf.insert[1]
        ys = [y, y + entita.dxf.height]
    else:
        return None
    return min(ys), max(ys)


def controlla(percorso):
    errori = []
    doc = ezdxf.readfile(percorso)
    auditor = doc.audit()
    if auditor.has_errors:
        errori.append("audit: %s" % [str(e.message) for e in auditor.errors])
    msp = list(doc.modelspace())
    if not msp:
        return errori + ["no entities"]
    # Span of the beam: the widest horizontal colour-7 line.
    assi = [
        e for e in msp
        if e.dxftype() == "LINE" and e.dxf.color == 7
        and abs(e.dxf.start[1] - e.dxf.end[1]) < 1e-12 and e.dxf.start[0] == 0
    ]
    luce = max(e.dxf.end[0] for e in assi)
    gruppi = []
    for e in msp:
        if e in assi and abs(e.dxf.end[0] - luce) < 1e-9:
            gruppi.append([])
        if gruppi:
            gruppi[-1].append(e)
    if len(gruppi) != 3:
        return errori + ["expected 3 diagrams, found %d" % len(gruppi)]
    bande = []
    for g in gruppi:
        est = [x for x in (estensione(e) for e in g) if x]
        bande.append((min(a for a, _ in est), max(b for _, b in est)))
    nomi = ["moments", "shears", "loads"]
    for i in (1, 2):
        if bande[i][1] > bande[i - 1][0] + 1e-9:
            errori.append("%s (top %g) not below %s (bottom %g)" %
                          (nomi[i], bande[i][1], nomi[i - 1], bande[i - 1][0]))
    return errori


def main():
    cartella = sys.argv[1]
    file = sorted(glob.glob(os.path.join(cartella, "*.dxf")))
    if not file:
        print("no DXF files in", cartella)
        return 1
    falliti = 0
    for p in file:
        e = controlla(p)
        print(("FAIL " if e else "ok   ") + os.path.basename(p), "; ".join(e))
        falliti += bool(e)
    return 1 if falliti else 0


if __name__ == "__main__":
    sys.exit(main())
