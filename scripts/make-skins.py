#!/usr/bin/env python3
"""Draws the two skins shipped with Chronolien: data/skin/jupiter and data/skin/bois.

Each skin has four JPEG pictures, one per window, at the size of the window's outline:
  centre.jpg    73 x 65   floating window, line up
  centre2.jpg   73 x 65   floating window, line down
  compteur.jpg 121 x 57   counter window
  mail.jpg     193 x 81   mail window
The buttons, screens and light sockets are drawn exactly where the windows put their click areas,
labels and lights (the window layouts, in twips, divided by 15). Everything is drawn four times
larger and scaled down, so that the small round shapes come out smooth.

Needs ImageMagick's convert (set CONVERT to use another one) and the DejaVu fonts.
Usage: scripts/make-skins.py [output folder, default data/skin]
"""

import os
import shutil
import subprocess
import sys
import tempfile

S = 4  # drawing scale

SIZES = {"centre": (73, 65), "compteur": (121, 57), "mail": (193, 81)}

# Rounded outline of each window (left, top, right, bottom, corner radius), in pixels, matching the
# region the window is cut to: the rim is drawn just inside it.
OUTLINES = {
    "centre": (1, 1, 72, 64, 12),
    "compteur": (2, 0, 120, 56, 11),
    "mail": (2, 1, 192, 80, 14),
}

# Click areas and labels of the windows, in pixels (left, top, width, height).
CENTRE = {
    "bt_config": (8, 4, 20, 20),
    "bt_reduire": (32, 4, 16, 16),
    "bt_fermer": (49, 4, 16, 16),
    "bt_connect": (24, 27, 36, 30),
    "indicator": (8, 28, 9, 29),
    "led_up": (8, 31, 9, 9),
    "led_down": (8, 48, 9, 9),
}
COUNTER = {
    "txt_cpt_mois": (8, 6, 88, 24),
    "gauge": (8, 27, 89, 9),
    "txt_cpt_session": (8, 36, 88, 16),
    "bt_fermer": (99, 5, 16, 16),
    "bt_changer": (99, 21, 16, 16),
}
MAIL = {
    "list": (26, 8, 145, 64),  # the four lines lst_mail, 17 pixels high, every 16 pixels
    "defil": (168, 5, 13, 71),
    "bt_changer": (5, 32, 16, 16),
}

THEMES = {
    "jupiter": {
        # Cloud bands from the north pole to the south pole.
        "bands": ["#5e3018", "#8f4a22", "#c98a4f", "#efd3a4", "#d79b5c", "#9a4c22",
                  "#e8c08a", "#f6e2bd", "#c47a40", "#8a4020", "#dcae76", "#f0d2a2",
                  "#b8683a", "#6a3519"],
        "wiggle": 0.018,
        "grain": 0.08,
        "shade": "gray70",
        "rim": "#3d1c0b",
        "rim_light": "#ffe2b0",
        "screen": "#1c0e07",
        "screen_edge": "#f3c98e",
        "text_area": "#2e180c",
        "button": "#7b3415",
        "button_light": "#c8713d",
        "button_edge": "#2e1206",
        "icon": "#fff0d4",
        "spot": True,
    },
    "bois": {
        # From the dark lines of the rings to the light wood between them.
        "bands": ["#6a3d1a", "#8e5a2c", "#a97341", "#bd8853", "#c9975f", "#d1a169"],
        "wiggle": 0.35,
        "grain": 0.30,
        "shade": "gray62",
        "rim": "#3a2110",
        "rim_light": "#f0c88c",
        "screen": "#17100a",
        "screen_edge": "#e3b578",
        "text_area": "#2a1e12",
        "button": "#b88a3c",
        "button_light": "#ecd08a",
        "button_edge": "#4a3212",
        "icon": "#2c1a08",
        "spot": False,
    },
}

ON_COLOUR = "#6dff4a"
ON_GLOW = "#2f9a1c"
OFF_COLOUR = "#e0502e"
OFF_DIM = "#5a1e10"


def convert_program():
    chosen = os.environ.get("CONVERT")
    if chosen:
        return chosen
    # /usr/bin/convert is ImageMagick itself where a wrapper of the same name comes first in PATH.
    if os.access("/usr/bin/convert", os.X_OK):
        return "/usr/bin/convert"
    found = shutil.which("convert")
    if not found:
        sys.exit("make-skins: ImageMagick's convert is needed")
    return found


CONVERT = convert_program()


def run(*args):
    subprocess.run([CONVERT, *args], check=True)


# ---- background textures -------------------------------------------------------------------------

def palette(colours, path):
    run(*[f"xc:{c}" for c in colours], "+append", "-filter", "triangle", "-resize", "256x1!", path)


def texture(theme_name, theme, size, path, work):
    """Banded planet or wood planks, drawn at S times the size."""
    w, h = size[0] * S, size[1] * S
    clut = os.path.join(work, "clut.png")
    palette(theme["bands"], clut)
    k = theme["wiggle"]
    # Smooth noise stretched along the width, to break up regular curves.
    noise = os.path.join(work, "noise.png")
    run("-size", f"{max(w // 40, 4)}x{max(h // 6, 4)}", "xc:gray50", "-seed", "11",
        "+noise", "Random", "-colorspace", "gray", "-resize", f"{w}x{h}!", "-blur", "0x6", noise)
    bands = os.path.join(work, "bands.png")
    if theme_name == "jupiter":
        # Bands follow the height; the palette runs from pole to pole. Turbulence bends the band
        # edges a little. (-fx clamps its result to 0..1.)
        expr = (f"j/h + {k}*sin(i/w*15.7 + j/h*23) + {k / 2}*sin(i/w*37 - j/h*41)"
                f" + {k * 1.5}*(v-0.5)")
    else:
        # Growth rings: broad light wood, thin dark lines, wavy along the plank.
        expr = (f"1 - pow(0.5 + 0.5*sin(6.2832*(j/h*9.5 + {k}*sin(i/w*4.1 + j/h*3.2)"
                " + 1.1*v)), 3)")
    run("-size", f"{w}x{h}", "xc:gray50", noise, "-colorspace", "gray", "-fx", expr, bands)
    # Fine grain: noise stretched along the bands.
    grain = os.path.join(work, "grain.png")
    run("-size", f"{max(w // 24, 4)}x{h}", "xc:gray50", "-seed", "7", "+noise", "Gaussian",
        "-colorspace", "gray", "-resize", f"{w}x{h}!", "-blur", "0x0.8", grain)
    g = theme["grain"]
    run(bands, grain, "-compose", "blend", "-define", f"compose:args={int(g * 100)}",
        "-composite", "-colorspace", "sRGB", "-type", "TrueColor", clut, "-clut", path)
    if theme["spot"]:
        # A storm oval low on the right, as on the planet.
        cx, cy = w * 0.70, h * 0.70
        rx, ry = w * 0.10, h * 0.075
        spot = os.path.join(work, "spot.png")
        run("-size", f"{w}x{h}", "xc:none",
            "-fill", "#a8402080", "-draw", f"ellipse {cx},{cy} {rx},{ry} 0,360",
            "-fill", "#d0704090", "-draw", f"ellipse {cx},{cy} {rx * 0.62},{ry * 0.55} 0,360",
            "-blur", f"0x{S * 0.6}", spot)
        run(path, spot, "-compose", "over", "-composite", path)
    # Darker towards the edges, like a lit sphere or a varnished board.
    shade = os.path.join(work, "shade.png")
    run("-size", f"{w}x{h}", f"radial-gradient:white-{theme['shade']}", shade)
    run(path, shade, "-compose", "multiply", "-composite", path)


# ---- drawing helpers (MVG in window pixels, scaled by S) ------------------------------------------

class Drawing:
    def __init__(self):
        self.cmds = [f"scale {S},{S}", "stroke-linecap round", "stroke-linejoin round"]

    def add(self, *cmds):
        self.cmds.extend(cmds)

    def style(self, fill="none", stroke="none", width=1.0):
        self.add(f"fill '{fill}'", f"stroke '{stroke}'", f"stroke-width {width}")

    def round_rect(self, x0, y0, x1, y1, r, **style):
        self.style(**style)
        self.add(f"roundrectangle {x0},{y0} {x1},{y1} {r},{r}")

    def circle(self, cx, cy, r, **style):
        self.style(**style)
        self.add(f"circle {cx},{cy} {cx + r},{cy}")

    def line(self, x0, y0, x1, y1, colour, width):
        self.style(stroke=colour, width=width)
        self.add(f"line {x0},{y0} {x1},{y1}")

    def arc(self, cx, cy, r, start, end, colour, width):
        self.style(stroke=colour, width=width)
        self.add(f"ellipse {cx},{cy} {r},{r} {start},{end}")

    def polygon(self, points, fill):
        self.style(fill=fill)
        self.add("polygon " + " ".join(f"{x},{y}" for x, y in points))

    def text(self, x, y, size, colour, words, font="DejaVu-Sans-Bold"):
        self.style(fill=colour)
        self.add(f"font '{font}'", f"font-size {size}", f"text {x},{y} '{words}'")


def rim(d, outline, theme):
    x0, y0, x1, y1, r = outline
    d.round_rect(x0 + 0.5, y0 + 0.5, x1 - 0.5, y1 - 0.5, r - 0.5, stroke=theme["rim"], width=1.6)
    d.round_rect(x0 + 1.6, y0 + 1.6, x1 - 1.6, y1 - 1.6, r - 1.6, stroke=theme["rim_light"] + "60",
                 width=0.6)


def screen(d, area, theme, radius=2.5):
    """A dark recessed panel under labels: shadowed at the top, lit at the bottom edge."""
    x, y, w, h = area
    d.round_rect(x, y, x + w, y + h, radius, fill=theme["screen"])
    d.round_rect(x + 0.4, y + 0.4, x + w - 0.4, y + h - 0.4, radius, stroke="#00000090", width=0.8)
    d.line(x + radius, y + h + 0.1, x + w - radius, y + h + 0.1, theme["screen_edge"] + "90", 0.6)


def button(d, area, theme, round_=True):
    """A raised button filling its click area with a margin of half a pixel."""
    x, y, w, h = area
    x0, y0, x1, y1 = x + 0.5, y + 0.5, x + w - 0.5, y + h - 0.5
    r = min(w, h) / 2 - 0.5 if round_ else 3
    d.round_rect(x0, y0 + 0.6, x1, y1 + 0.6, r, fill="#00000070")  # shadow below
    d.round_rect(x0, y0, x1, y1, r, fill=theme["button"], stroke=theme["button_edge"], width=0.7)
    # Light on the upper half.
    d.round_rect(x0 + 1.2, y0 + 1.0, x1 - 1.2, (y0 + y1) / 2, r - 1.2, fill=theme["button_light"] + "90")


def icon_menu(d, area, colour):
    x, y, w, h = area
    cx, cy = x + w / 2, y + h / 2
    for dy in (-3.4, 0, 3.4):
        d.line(cx - 4.6, cy + dy, cx + 4.6, cy + dy, colour, 1.7)


def icon_minimise(d, area, colour):
    x, y, w, h = area
    cx, cy = x + w / 2, y + h / 2
    d.line(cx - 3.6, cy + 2.2, cx + 3.6, cy + 2.2, colour, 1.8)


def icon_close(d, area, colour):
    x, y, w, h = area
    cx, cy = x + w / 2, y + h / 2
    d.line(cx - 3.2, cy - 3.2, cx + 3.2, cy + 3.2, colour, 1.7)
    d.line(cx - 3.2, cy + 3.2, cx + 3.2, cy - 3.2, colour, 1.7)


def icon_flip_vertical(d, area, colour):
    """Two arrows, up and down: the counter window goes to the other side."""
    x, y, w, h = area
    cx, cy = x + w / 2, y + h / 2
    d.polygon([(cx - 4.6, cy - 1.2), (cx - 1.8, cy - 5), (cx + 1.0, cy - 1.2)], colour)
    d.line(cx - 1.8, cy - 2, cx - 1.8, cy + 4.4, colour, 1.3)
    d.polygon([(cx + 4.6, cy + 1.2), (cx + 1.8, cy + 5), (cx - 1.0, cy + 1.2)], colour)
    d.line(cx + 1.8, cy + 2, cx + 1.8, cy - 4.4, colour, 1.3)


def icon_flip_horizontal(d, area, colour):
    """Two arrows, left and right: the mail window goes to the other side."""
    x, y, w, h = area
    cx, cy = x + w / 2, y + h / 2
    d.polygon([(cx - 1.2, cy - 4.6), (cx - 5, cy - 1.8), (cx - 1.2, cy + 1.0)], colour)
    d.line(cx - 2, cy - 1.8, cx + 4.4, cy - 1.8, colour, 1.3)
    d.polygon([(cx + 1.2, cy + 4.6), (cx + 5, cy + 1.8), (cx + 1.2, cy - 1.0)], colour)
    d.line(cx + 2, cy + 1.8, cx - 4.4, cy + 1.8, colour, 1.3)


def icon_power(d, cx, cy, r, colour, width):
    d.arc(cx, cy, r, -58, 238, colour, width)
    d.line(cx, cy - r - 1.2, cx, cy - 1.0, colour, width)


# ---- the four pictures -----------------------------------------------------------------------------

def draw_centre(theme, connected):
    d = Drawing()
    rim(d, OUTLINES["centre"], theme)
    # Menu, hide and quit buttons along the top.
    button(d, CENTRE["bt_config"], theme)
    icon_menu(d, CENTRE["bt_config"], theme["icon"])
    button(d, CENTRE["bt_reduire"], theme)
    icon_minimise(d, CENTRE["bt_reduire"], theme["icon"])
    button(d, CENTRE["bt_fermer"], theme)
    icon_close(d, CENTRE["bt_fermer"], theme["icon"])

    # Throughput indicator: two sockets for the lights, going out above, coming in below.
    x, y, w, h = CENTRE["indicator"]
    screen(d, (x - 0.5, y, w + 1, h), theme, radius=4)
    for name in ("led_up", "led_down"):
        lx, ly, lw, lh = CENTRE[name]
        d.circle(lx + lw / 2, ly + lh / 2, lw / 2 - 0.3, fill="#000000", stroke="#5a4a40", width=0.6)
    mx = x + w / 2
    d.polygon([(mx - 2, 44.6), (mx, 41.6), (mx + 2, 44.6)], theme["screen_edge"])
    d.polygon([(mx - 2, 45.4), (mx, 48.2), (mx + 2, 45.4)], theme["screen_edge"])

    # The connect button: a large power key, lit green while the line is up.
    x, y, w, h = CENTRE["bt_connect"]
    cx, cy = x + w / 2, y + h / 2
    d.round_rect(x + 0.5, y + 1.1, x + w - 0.5, y + h + 0.1, 9, fill="#00000080")
    d.round_rect(x + 0.5, y + 0.5, x + w - 0.5, y + h - 0.5, 9, fill=theme["button"],
                 stroke=theme["button_edge"], width=0.8)
    d.round_rect(x + 1.6, y + 1.4, x + w - 1.6, y + h / 2, 8, fill=theme["button_light"] + "80")
    d.circle(cx, cy, 11.2, fill="#120905", stroke=theme["button_edge"], width=0.8)
    if connected:
        d.circle(cx, cy, 10.2, fill=ON_GLOW + "70")
        icon_power(d, cx, cy + 0.6, 6.2, ON_COLOUR, 2.2)
    else:
        d.circle(cx, cy, 10.2, fill=OFF_DIM + "60")
        icon_power(d, cx, cy + 0.6, 6.2, OFF_COLOUR, 2.0)
    return d


def draw_counter(theme):
    d = Drawing()
    rim(d, OUTLINES["compteur"], theme)
    # One screen holds the month time, the gauge and the session time.
    screen(d, (6, 4, 92, 50), theme, radius=4)
    # The month time above the gauge, the session time below it, each on a slightly lighter pane.
    mx, my, mw, mh = COUNTER["txt_cpt_mois"]
    d.round_rect(mx, my, mx + mw, my + mh - 3.5, 2, fill=theme["text_area"],
                 stroke=theme["screen_edge"] + "38", width=0.5)
    sx, sy, sw, sh = COUNTER["txt_cpt_session"]
    d.round_rect(sx, sy + 1, sx + sw, sy + sh, 2, fill=theme["text_area"],
                 stroke=theme["screen_edge"] + "38", width=0.5)
    # Gauge track: too little on the left, in step in the middle, too much on the right. The
    # middle band is where the cursor's centre sits for positions 40 to 60.
    gx, gy, gw, gh = COUNTER["gauge"]
    top, bottom = gy + 2.2, gy + gh - 2.0
    d.round_rect(gx + 0.5, top, gx + gw - 0.5, bottom, 2, fill="#3a3a3a")
    green_from, green_to = 8 + 40 * 0.7467 + 6.5, 8 + 60 * 0.7467 + 6.5
    d.style(fill="#e8e8e8")
    d.add(f"rectangle {gx + 1.5},{top + 1} {green_from},{bottom - 1}")
    d.style(fill="#3fbf3a")
    d.add(f"rectangle {green_from},{top + 1} {green_to},{bottom - 1}")
    d.style(fill="#d23a2a")
    d.add(f"rectangle {green_to},{top + 1} {gx + gw - 1.5},{bottom - 1}")
    # Close and turn-over buttons on the right.
    button(d, COUNTER["bt_fermer"], theme)
    icon_close(d, COUNTER["bt_fermer"], theme["icon"])
    button(d, COUNTER["bt_changer"], theme)
    icon_flip_vertical(d, COUNTER["bt_changer"], theme["icon"])
    return d


def draw_mail(theme):
    d = Drawing()
    rim(d, OUTLINES["mail"], theme)
    lx, ly, lw, lh = MAIL["list"]
    sx, sy, sw, sh = MAIL["defil"]
    screen(d, (lx - 2, sy, sx + sw + 1 - (lx - 2), sh), theme, radius=4)
    for row in range(1, 4):
        yy = ly + row * 16 - 0.5
        d.line(lx + 2, yy, sx - 3, yy, theme["screen_edge"] + "30", 0.5)
    # A faint track where the scroll bar appears when more than four messages wait.
    d.round_rect(sx + 1, sy + 2, sx + sw - 1, sy + sh - 2, 4, fill="#ffffff10")
    # Turn-over button on the left, with an envelope above it to say what the window is for.
    button(d, MAIL["bt_changer"], theme)
    icon_flip_horizontal(d, MAIL["bt_changer"], theme["icon"])
    ex, ey = 6, 14
    d.round_rect(ex, ey, ex + 14, ey + 10, 1.2, fill=theme["rim_light"] + "d0", stroke=theme["rim"], width=0.6)
    d.style(stroke=theme["rim"], width=0.7)
    d.add(f"polyline {ex + 0.6},{ey + 0.8} {ex + 7},{ey + 5.6} {ex + 13.4},{ey + 0.8}")
    return d


def render(theme_name, theme, window, drawing, path, work):
    size = SIZES[window]
    base = os.path.join(work, f"{window}-base.png")
    texture(theme_name, theme, size, base, work)
    run(base, "-draw", "\n".join(drawing.cmds), "-filter", "Lanczos",
        "-resize", f"{size[0]}x{size[1]}!", "-strip", "-sampling-factor", "1x1",
        "-quality", "93", path)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "skin")
    with tempfile.TemporaryDirectory() as work:
        for name, theme in THEMES.items():
            folder = os.path.join(out, name)
            os.makedirs(folder, exist_ok=True)
            render(name, theme, "centre", draw_centre(theme, True), os.path.join(folder, "centre.jpg"), work)
            render(name, theme, "centre", draw_centre(theme, False), os.path.join(folder, "centre2.jpg"), work)
            render(name, theme, "compteur", draw_counter(theme), os.path.join(folder, "compteur.jpg"), work)
            render(name, theme, "mail", draw_mail(theme), os.path.join(folder, "mail.jpg"), work)
            print(f"make-skins: {folder}")


if __name__ == "__main__":
    main()
