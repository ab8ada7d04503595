#!/usr/bin/python3
# Prints the shape of the mouse pointer as the X server shows it: its size, its
# hot spot and how many of its pixels are not transparent. Two shapes are the
# same pointer when the lines are equal (the arrow and the hand differ in both
# hot spot and pixels). The system interpreter on purpose, as in xdnd_drop.py.
from Xlib import display

screen = display.Display()
if not screen.has_extension("XFIXES"):
    raise SystemExit("the X server has no XFIXES")
screen.xfixes_query_version()
image = screen.xfixes_get_cursor_image(screen.screen().root)
opaque = sum(1 for pixel in image.cursor_image if (pixel >> 24) & 0xFF)
print(image.width, image.height, image.xhot, image.yhot, opaque)
