#!/usr/bin/env python3
"""Writes a generated project file: 29 layers cycling sand (beta computed, N 25 to 35), clay
(alpha and Nc computed, cu 2000 to 3000 psf) and gravelly sand, water table 12 ft.

    make_project.py OUT.vrd [--depth FT] [--increment STEP] [--si] [--largest FT]
                            [--lrfd] [--load TONS] [--layers N]

With no options it writes the large project of the speed figures: design depth 250 ft,
profile to 300 ft, diameters 2 to 30 ft, output increment 1. The profile reaches 50 ft (or
a fifth of the depth, if more) below the design depth, and at most to 2000 ft; `--layers 20` divides the same
profile into the 20 layers the desktop holds. SI projects carry the same ground
converted to m, kN/m^2 and kN/m^3; their increment is in metres as given.
"""
import argparse

FT_TO_M = 0.3048
PCF_TO_KNM3 = 0.15708746
PSF_TO_KPA = 0.04788026
PSI_TO_KPA = 6.894757


def number(value):
    text = f"{value:.8g}"
    return text


def project_text(depth_ft, increment, si, largest_ft, lrfd, load, layers=29):
    length = (lambda ft: ft * FT_TO_M) if si else (lambda ft: ft)
    weight = (lambda pcf: pcf * PCF_TO_KNM3) if si else (lambda pcf: pcf)
    stress = (lambda psf: psf * PSF_TO_KPA) if si else (lambda psf: psf)
    # The engine takes profiles of at most 2000 ft.
    bottom_ft = min(2000.0, max(300.0, depth_ft + max(50.0, depth_ft / 5.0)))
    lines = ["Generated profile %s ft %s" % (number(depth_ft), "SI" if si else "English")]
    lines.append("2" if si else "1")
    control = "1" if load else "2"
    lines.append("%s 1 1 %s 1 %s" % (control, number(increment), "1" if lrfd else "2"))
    ec = 4000000 * PSI_TO_KPA if si else 4000000
    lines.append("%s %s 0 0 5 1 %s" % (number(length(2)), number(length(largest_ft)),
                                         number(ec)))
    third = load if load else length(depth_ft)
    lines.append("%d %s %s 2.5 3" % (layers, number(length(12)), number(third)))
    thickness = bottom_ft / layers
    for k in range(1, layers + 1):
        bottom = length(bottom_ft if k == layers else round(thickness * k, 1))
        kind = k % 3
        if kind == 1:
            lines.append("1 %s " % number(bottom))
            lines.append("0.0 %s 34 0.0 25 0 0 0.55 0.5 " % number(weight(120)))
            lines.append("0.0 %s 35 0.0 35 0 0 0.55 0.5 " % number(weight(122)))
            lines.append("2 ")
            lines.append("0 0")
        elif kind == 2:
            lines.append("2 %s " % number(bottom))
            lines.append("0 %s 0.0 %s 0 0 0 0.45 0.4 " % (number(weight(118)),
                                                         number(stress(2000))))
            lines.append("0 %s 0.0 %s 0 0 0 0.45 0.4 " % (number(weight(120)),
                                                         number(stress(3000))))
            lines.append("0 0")
        else:
            lines.append("8 %s " % number(bottom))
            lines.append("%s 40 0 0 0 0.55 0.5 " % number(weight(125)))
            lines.append("%s 45 0 0 0 0.55 0.5 " % number(weight(128)))
    return "\r\n".join(lines) + "\r\n"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--depth", type=float, default=250.0, help="design depth, ft")
    parser.add_argument("--increment", type=float, default=1.0)
    parser.add_argument("--si", action="store_true")
    parser.add_argument("--largest", type=float, default=30.0, help="largest diameter, ft")
    parser.add_argument("--lrfd", action="store_true")
    parser.add_argument("--load", type=float, default=0.0,
                        help="design load (tons or kN) instead of a design depth")
    parser.add_argument("--layers", type=int, default=29, help="number of layers, 1 to 29")
    args = parser.parse_args()
    with open(args.out, "w", newline="") as out:
        out.write(project_text(args.depth, args.increment, args.si, args.largest, args.lrfd,
                               args.load, args.layers))


if __name__ == "__main__":
    main()
