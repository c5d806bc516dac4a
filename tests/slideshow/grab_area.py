"""Saves an area of the X screen as a binary PPM, taken in one request, so that a window that
stays only a moment is caught while it is there:
   grab_area.py X Y WIDTH HEIGHT OUT.ppm"""

import ctypes
import ctypes.util
import sys


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_char)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


x, y, width, height = (int(v) for v in sys.argv[1:5])
xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XDefaultRootWindow.restype = ctypes.c_ulong
xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                           ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
xlib.XGetImage.restype = ctypes.POINTER(XImage)
display = xlib.XOpenDisplay(None)
if not display:
    sys.exit("grab_area: no display")
ZPixmap = 2
image = xlib.XGetImage(display, xlib.XDefaultRootWindow(display), x, y, width, height,
                       0xFFFFFFFF, ZPixmap)
if not image or image.contents.bits_per_pixel != 32:
    sys.exit("grab_area: no 32-bit picture of the screen")
stride = image.contents.bytes_per_line
raw = ctypes.string_at(image.contents.data, stride * height)
# Rows of blue, green, red, unused bytes become rows of red, green, blue.
rgb = bytearray(width * height * 3)
for row in range(height):
    line = raw[row * stride:row * stride + width * 4]
    out = row * width * 3
    rgb[out:out + width * 3:3] = line[2::4]
    rgb[out + 1:out + width * 3:3] = line[1::4]
    rgb[out + 2:out + width * 3:3] = line[0::4]
with open(sys.argv[5], "wb") as ppm:
    ppm.write(b"P6\n%d %d\n255\n" % (width, height))
    ppm.write(rgb)
