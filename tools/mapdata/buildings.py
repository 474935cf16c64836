#!/usr/bin/env python3
"""Writes the 26 building files Data/Meadow/View/buildings/<name>.xml from the map plan's points
and the building pictures packed in Data/Atlases/map_images_*.xml: the marked plot shown until the
building is bought, and per level and variant the clickable area, its tool-tip (the upgrade's name
and the piece it brings), icon, skin, falling parts (ground, walls, roof, extras, overlapping in
time), the animals of the building and its work panel. A picture's bottom centre stands on the
building's point; its size is the packed picture's. Run from the repository root."""

import glob
import os
import re

UNITS = [  # file, picture name, point x, y, small footprint
    ("hen_house", "hen_house", 270, 200), ("cheese_house", "cheese_house", 120, 340),
    ("mill_house", "mill_house", 110, 185), ("bee_house", "bee_house", 770, 180),
    ("bakery_house", "bakery", 280, 330), ("cake_house", "cake_house", 445, 345),
    ("goat_house", "goat_house", 430, 180), ("wool_house", "wool_house", 615, 335),
    ("cow_house", "cow_house", 600, 195), ("spinning_house", "spinning_house", 780, 350),
    ("textile_house", "textile_house", 640, 490), ("molding_house", "molding_house", 800, 480),
    ("adornment_house", "adornment_house", 775, 630), ("warehouse", "warehouse", 105, 490),
    ("clothes_house", "clothes_house", 625, 640), ("stone_house", "stone_house", 265, 480),
    ("pier", "pier", 935, 645), ("seed_bed", "seed_bed", 945, 500), ("bench", "bench", 540, 470),
    ("water_pump", "water_pump", 505, 620), ("fountain", "fountain", 440, 500),
    ("dog_house", "dog_house", 240, 625), ("bird_house", "bird_house", 930, 200),
    ("butterfly_factory", "butterfly_factory", 935, 330), ("cats_factory", "cats_factory", 385, 640),
    ("dogs_factory", "dogs_factory", 95, 640),
]

SOUNDS = {"hen_house": "chicken_voice", "cow_house": "cow_voice", "goat_house": "goat_voice",
          "wool_house": "sheep_voice", "bird_house": "bird_voice", "cats_factory": "cat_voice",
          "dog_house": "dog_voice", "dogs_factory": "dog_voice"}

# Animal sheets: 8 frames side by side; (picture, frame width, height, loop seconds, voice).
SHEETS = {
    "chicken": ("chicken", 32, 32, 0.8, "chicken_voice"),
    "chicken_brown": ("chicken_brown", 32, 32, 0.8, "chicken_voice"),
    "cow": ("cow", 64, 48, 1.6, "cow_voice"),
    "goat": ("goat", 48, 44, 1.2, "goat_voice"),
    "sheep": ("sheep", 48, 40, 1.2, "sheep_voice"),
    "bird": ("bird", 24, 24, 0.8, "bird_voice"),
    "bird_flying": ("bird_flying", 32, 24, 0.6, "bird_voice"),
    "bee": ("bee", 20, 20, 0.4, ""),
    "butterfly1": ("butterfly1", 32, 32, 0.6, ""),
}

# Per building: sets of (sheet, offset from the point) alternatives; the first is the usual one.
# The offsets are in the buildings' drawing units, scaled up with the building (SCALE).
ANIMALS = {
    "hen_house": [[("chicken", -62, -6), ("chicken", -40, 4)], [("chicken_brown", 58, -4), ("chicken", 66, 6)]],
    "cow_house": [[("cow", -78, -8), ("cow", 76, -6)]],
    "goat_house": [[("goat", 70, -6), ("goat", -70, -4)]],
    "wool_house": [[("sheep", -70, -6), ("sheep", 70, -2)]],
    "bird_house": [[("bird", -34, -96), ("bird_flying", 0, -122)]],
    "bee_house": [[("bee", -40, -70), ("bee", 34, -88)]],
    "butterfly_factory": [[("butterfly1", -44, -92), ("butterfly1", 40, -78)]],
}


# A building's tool-tip on its paper panel, beside the building and above the map's interface; the
# caption and the piece are filled in when it shows. Positions are the panel's own at 0,0.
TIP = ['          <Tip ShowDelayTime="0.5">',
       '            <Panel Visible="0" Enable="1" position="0,0" size="280,110" deep="800" Offset="24,-24"'
       ' Picture="UI/Images/panel_small.png"/>',
       '            <CaptionText Visible="1" Enable="1" position="0,-24" size="248,34" deep="801" Font="Fonts/Text22.fnt"'
       ' Texture="Fonts/Text22.png" SpaceWidth="7" Color="FF3B2A1A" WrapText="1" VerticalAlign="0"/>',
       '            <ProduceText Visible="1" Enable="1" position="-28,20" size="180,30" deep="801" Font="Fonts/Text16.fnt"'
       ' Texture="Fonts/Text16.png" SpaceWidth="5" Color="FF4A3520" WrapText="1" VerticalAlign="0"'
       ' String="Brings to the board:"/>',
       '            <ProduceIcon Visible="1" Enable="1" position="90,20" size="40,40" deep="802"/>',
       '          </Tip>']


# How much larger than their drawing units the buildings are drawn (tools/artgen/Buildings.h).
SCALE = 1.25

# Depth of the plots: on the meadow, under every building, animal and character.
PLOT_DEPTH = 5


def atlas_names(root):
    """Every packed map picture's name and its size."""
    names = {}
    for path in glob.glob(os.path.join(root, "Data/Atlases/map_images_*.xml")):
        for name, w, h in re.findall(r"<Name>([^<]+)</Name><Pos>[^<]*</Pos><Size>(\d+) (\d+)</Size>",
                                     open(path).read()):
            names[name] = (int(w), int(h))
    return names


def building(root, names, index, file, pic, px, py):
    prefix = "Map/Images/Buildings/" + pic
    levels = sorted({int(m) for n in names for m in re.findall("^" + re.escape(prefix) + r"(\d)_", n)})
    w, h = names[prefix + "%d_1.png" % levels[0]]
    cx, cy = px, py - h // 2
    depth = py - 4
    sound = SOUNDS.get(file, "btn_clicked")
    plot = prefix + "_plot.png"
    pw, ph = names[plot]
    out = ['<?xml version="1.0" encoding="utf-8"?>',
           "<!-- Unit %d, %s: written by tools/mapdata/buildings.py. -->" % (index, file.replace("_", " ")),
           '<Building Visible="1" Enable="1" point="%d" unit_sound="%s" silence_timer="1.5 1.5">' % (index, sound),
           '  <Plot Visible="1" position="%d,%d" size="%d,%d" deep="%d" Picture="%s"/>' %
           (px, py - ph // 2, pw, ph, PLOT_DEPTH, plot),
           "  <Upgrades>"]
    for level in levels:
        out.append("    <Upgrade>")
        out.append("      <Variants>")
        for v in (1, 2, 3):
            skin = "%s%d_%d.png" % (prefix, level, v)
            assert names.get(skin) == (w, h), skin
            out.append('        <Variant Visible="0" Enable="1" position="%d,%d" size="%d,%d" deep="%d">' %
                       (cx, cy, w - 20, h - 20, depth + 1))
            out += TIP
            out.append('          <Icon Picture="%s"/>' % skin)
            out.append("          <Skins>")
            out.append('            <Skin position="%d,%d" size="%d,%d" deep="%d" Picture="%s"/>' % (cx, cy, w, h, depth, skin))
            out.append("          </Skins>")
            out.append("          <Parts>")
            t = 0.0
            for k, part in enumerate(("ground", "walls", "roof%d" % v, "extras%d" % v)):
                name = "%s%d_part_%s.png" % (prefix, level, part)
                if name not in names:
                    continue
                out.append('            <Part time="%.1f" src_pos="%d,%d" dst_pos="%d,%d" speed="200" accel="1200" '
                           'dust_offset="0,%d" dust_height="%d" position="%d,%d" size="%d,%d" deep="%.1f" '
                           'Picture="%s"/>' % (t, cx, cy - 260, cx, cy, h // 2 - 6, 10 + 4 * k, cx, cy - 260, w, h,
                                               depth + 0.1 * (k + 1), name))
                t += 0.3
            out.append("          </Parts>")
            sets = ANIMALS.get(file, [])
            if sets:
                out.append("          <Animals>")
                for alternatives in sets:
                    voice = SHEETS[alternatives[0][0]][4]
                    out.append('            <Set voice_id="%s" silence_time="2 4">' % voice)
                    for k, (sheet, dx, dy) in enumerate(alternatives):
                        name, fw, fh, length, _ = SHEETS[sheet]
                        dx, dy = round(dx * SCALE), round(dy * SCALE)
                        out.append('              <Animal probability="%s" position="%d,%d" size="%d,%d" deep="%d" '
                                   'Picture="Map/Images/Animals/%s.png" frames_count="8" anim_columns="8" '
                                   'anim_length="%.1f" PlayAnimation="1" anim_loop="1"/>' %
                                   ("1" if k == 0 else "0.5", px + dx, py + dy, fw, fh, py + dy + fh // 2, name, length))
                    out.append("            </Set>")
                out.append("          </Animals>")
            work = "Map/Images/WorkIcons/%s.png" % file.replace("bakery_house", "bakery")
            if work in names:
                out.append("          <Works>")
                out.append('            <Work position="%d,%d" size="48,48" deep="%d" Picture="%s" anim_length="3"/>' %
                           (cx + w // 2 - 18, cy - h // 2 + 14, depth + 2, work))
                out.append("          </Works>")
            out.append("        </Variant>")
        out.append("      </Variants>")
        out.append("    </Upgrade>")
    out += ["  </Upgrades>", "</Building>", ""]
    return "\n".join(out)


def main():
    root = os.getcwd()
    names = atlas_names(root)
    folder = os.path.join(root, "Data/Meadow/View/buildings")
    os.makedirs(folder, exist_ok=True)
    for index, (file, pic, px, py) in enumerate(UNITS):
        with open(os.path.join(folder, file + ".xml"), "w") as f:
            f.write(building(root, names, index, file, pic, px, py))


if __name__ == "__main__":
    main()
