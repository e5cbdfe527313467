#!/usr/bin/python3
"""Which of my hoops can take a design of W x H mm?

    python3 examples/fit.py examples/hoops.ini 120x80.5

A hoop takes the design when its sew field holds it as it is or turned by 90 degrees. Hoop coordinates are
tenths of a millimetre. Prints the hoops that fit, smallest sew field first, with the margin on each side;
exits with 1 when none fits and 2 when the arguments or the file are wrong.
"""

import sys

import brevant


def parse_size(text: str) -> "tuple[float, float]":
    width, cross, height = text.lower().replace(" ", "").removesuffix("mm").partition("x")
    if not cross:
        raise ValueError(f"{text!r} is not WIDTHxHEIGHT in millimetres")
    size = float(width), float(height)
    if min(size) <= 0:
        raise ValueError(f"{text!r} is not a positive size")
    return size


def fit(hoop: brevant.Hoop, width: float, height: float) -> "str | None":
    """How the design goes into the hoop, or None when it does not."""
    room_x, room_y = hoop.sew_field.width / 10, hoop.sew_field.height / 10
    if width <= room_x and height <= room_y:
        return "as it is"
    if height <= room_x and width <= room_y:
        return "turned 90 degrees"
    return None


def main(arguments: "list[str]") -> int:
    if len(arguments) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        width, height = parse_size(arguments[1])
        catalogue = brevant.load(arguments[0])
    except (ValueError, brevant.LoadError) as error:
        print(f"fit.py: {error}", file=sys.stderr)
        return 2
    fits = [(hoop, how) for hoop in catalogue if (how := fit(hoop, width, height))]
    fits.sort(key=lambda item: item[0].sew_field.width * item[0].sew_field.height)
    if not fits:
        print(f"No hoop takes a design of {width:g} x {height:g} mm.")
        return 1
    print(f"A design of {width:g} x {height:g} mm fits {len(fits)} of {len(catalogue)} hoops:")
    for hoop, how in fits:
        turned = how != "as it is"
        margin_x = (hoop.sew_field.width / 10 - (height if turned else width)) / 2
        margin_y = (hoop.sew_field.height / 10 - (width if turned else height)) / 2
        print(f"  {hoop.description:26} {how:18} margins {margin_x:5.1f} / {margin_y:5.1f} mm")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
