"""The exported DXF diagrams read by a real DXF reader (ezdxf).

Every .dxf in the folder given must load with no audit error; split at the
beam axes (a colour-7 LINE from x = 0 across the span opens each diagram),
the moments, shears and loads come in this order from the top, each drawn
above the next one's axis (labels aside: a label may stand beside the next
caption, a support symbol beside a deflected cantilever's tip).
"""
import glob
import os
import sys

import ezdxf


def ordinate(e):
    t = e.dxftype()
    if t == "LINE":
        return [e.dxf.start[1], e.dxf.end[1]]
    if t == "ARC":
        return [p[1] for p in e.flattening(e.dxf.radius / 50)] or [e.dxf.center[1]]
    if t == "POLYLINE":
        return [v.dxf.location[1] for v in e.vertices]
    return []


def controlla(percorso):
    doc = ezdxf.readfile(percorso)
    auditor = doc.audit()
    errori = ["audit: %s" % [str(e.message) for e in auditor.errors]] if auditor.has_errors else []
    msp = list(doc.modelspace())
    assi = [e for e in msp if e.dxftype() == "LINE" and e.dxf.color == 7
            and abs(e.dxf.start[1] - e.dxf.end[1]) < 1e-12 and e.dxf.start[0] == 0]
    if not assi:
        return errori + ["no beam axis"]
    luce = max(e.dxf.end[0] for e in assi)
    gruppi = []
    for e in msp:
        if e in assi and abs(e.dxf.end[0] - luce) < 1e-9:
            gruppi.append([])
        if gruppi:
            gruppi[-1].append(e)
    if len(gruppi) != 3:
        return errori + ["expected 3 diagrams, found %d" % len(gruppi)]
    fondi = [min(y for e in g for y in ordinate(e)) for g in gruppi]
    for i, nome in ((1, "shears"), (2, "loads")):
        asse = gruppi[i][0].dxf.start[1]
        if asse > fondi[i - 1] - 1e-9:
            errori.append("axis of the %s (%g) not below the diagram above (bottom %g)" %
                          (nome, asse, fondi[i - 1]))
    return errori


def main():
    file = sorted(glob.glob(os.path.join(sys.argv[1], "*.dxf")))
    falliti = 0
    for p in file:
        e = controlla(p)
        print(("FAIL " if e else "ok   ") + os.path.basename(p), "; ".join(e))
        falliti += bool(e)
    return 1 if falliti or not file else 0


if __name__ == "__main__":
    sys.exit(main())
