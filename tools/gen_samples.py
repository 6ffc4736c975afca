#!/usr/bin/env python3
"""Writes the sample drawings and reference files under samples/ and checks them.

The three drawings of a motor control panel (main circuit, control circuit, operation board) are
ASCII DXF in the layout AutoCAD R2000 (AC1015) writes, with Shift-JIS texts. The main circuit has a
twin saved as AutoCAD 2010 (AC1024) writes it: UTF-8 texts, some characters as \\U+XXXX
escapes; read, it must give exactly the texts of the Shift-JIS drawing. After writing, the script
reads the drawings back the way the program's reader takes texts (TEXT, MTEXT and ATTRIB of
the ENTITIES section), runs recognition with samples/Korvane.ini, and checks that every tag number
collects exactly its own texts, drawing by drawing and with all three drawings in one batch.

    python3 tools/gen_samples.py            write samples/ and check
    python3 tools/gen_samples.py --check    check the files in samples/ only
    python3 tools/gen_samples.py --print    also print the recognised rows (UTF-8)
"""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SAMPLES = os.path.join(ROOT, "samples")
RESET_INI = os.path.join(ROOT, "tests", "data", "settings", "reset_values.ini")

DRAWINGS = ["main_circuit.dxf", "control_circuit.dxf", "operation_board.dxf"]
UTF8_TWIN = "main_circuit_utf8.dxf"  # of DRAWINGS[0]

# Characters the UTF-8 twin writes as \U+XXXX escapes, as CAD programs do for characters outside
# the code page they save with: in part rows (IM1, TS1), a prohibited word (MCC盤) and other texts.
TWIN_ESCAPED = "盤水℃φ"

PITCH = 4.0  # line pitch of a tag stack (text height 2.5)


def num(v):
    s = "%.6f" % v
    s = s.rstrip("0")
    return s + "0" if s.endswith(".") else s


class Dxf:
    """Collects entities and blocks and renders an R2000-style DXF."""

    MODEL = "1F"  # handle of *Model_Space's block record

    def __init__(self, title, extent=(841.0, 594.0)):
        self.title = title
        self.extent = extent
        self.entities = []  # lists of (code, value)
        self.blocks = []  # (name, record handle, entities)
        self.next_handle = 0x100
        self.expected = []  # (tag text, x, y, [own texts below, nearest first])

    def handle(self):
        h = "%X" % self.next_handle
        self.next_handle += 1
        return h

    def _common(self, kind, layer, owner=None):
        return [(0, kind), (5, self.handle()), (330, owner or self.MODEL), (100, "AcDbEntity"),
                (8, layer)]

    def line(self, x1, y1, x2, y2, layer="WIRE", target=None):
        e = self._common("LINE", layer) + [(100, "AcDbLine"), (10, num(x1)), (20, num(y1)),
                                           (30, "0.0"), (11, num(x2)), (21, num(y2)), (31, "0.0")]
        (self.entities if target is None else target).append(e)

    def rect(self, x1, y1, x2, y2, layer="FRAME", target=None):
        for a, b, c, d in ((x1, y1, x2, y1), (x2, y1, x2, y2), (x2, y2, x1, y2), (x1, y2, x1, y1)):
            self.line(a, b, c, d, layer, target)

    def circle(self, x, y, r, layer="SYMBOL", target=None):
        e = self._common("CIRCLE", layer) + [(100, "AcDbCircle"), (10, num(x)), (20, num(y)),
                                             (30, "0.0"), (40, num(r))]
        (self.entities if target is None else target).append(e)

    def text(self, x, y, s, height=2.5, layer="TEXT", target=None):
        e = self._common("TEXT", layer) + [(100, "AcDbText"), (10, num(x)), (20, num(y)),
                                           (30, "0.0"), (40, num(height)), (1, s),
                                           (7, "STANDARD"), (100, "AcDbText")]
        (self.entities if target is None else target).append(e)

    def mtext(self, x, y, s, height=3.0, width=200.0, layer="NOTE"):
        # Values over 250 bytes go out in 250-byte chunks (group 3) before the last one (group 1),
        # never splitting a character.
        chunks, cur = [], ""
        for ch in s:
            if len((cur + ch).encode("cp932")) > 250:
                chunks.append(cur)
                cur = ""
            cur += ch
        e = self._common("MTEXT", layer) + [(100, "AcDbMText"), (10, num(x)), (20, num(y)),
                                            (30, "0.0"), (40, num(height)), (41, num(width)),
                                            (71, "1"), (72, "5")]
        e += [(3, c) for c in chunks] + [(1, cur), (7, "STANDARD"), (73, "1"), (44, "1.0")]
        self.entities.append(e)

    def insert(self, block, x, y, attribs=(), layer="SYMBOL"):
        """attribs: (tag, x, y, value) placed in drawing coordinates."""
        ins = self._common("INSERT", layer)
        own = ins[1][1]
        ins += [(100, "AcDbBlockReference")]
        if attribs:
            ins += [(66, "1")]
        ins += [(2, block), (10, num(x)), (20, num(y)), (30, "0.0")]
        self.entities.append(ins)
        if not attribs:
            return
        for tag, ax, ay, value in attribs:
            self.entities.append(self._common("ATTRIB", "TEXT", own) + [
                (100, "AcDbText"), (10, num(ax)), (20, num(ay)), (30, "0.0"), (40, "2.5"),
                (1, value), (7, "STANDARD"), (100, "AcDbAttribute"), (2, tag), (70, "0")])
        self.entities.append(self._common("SEQEND", layer, own))

    def block(self, name, build):
        """build(target) adds the block's entities; ATTDEFs through attdef()."""
        ents = []
        build(ents)
        self.blocks.append((name, self.handle(), ents))

    def attdef(self, target, x, y, tag, prompt, default):
        target.append(self._common("ATTDEF", "TEXT") + [
            (100, "AcDbText"), (10, num(x)), (20, num(y)), (30, "0.0"), (40, "2.5"),
            (1, default), (7, "STANDARD"), (100, "AcDbAttributeDefinition"), (3, prompt),
            (2, tag), (70, "0")])

    # A part as drawings label it: the tag number and the lines below it, left-aligned.
    def stack(self, x, y, tag, *below):
        self.text(x, y, tag)
        for k, s in enumerate(below):
            self.text(x, y - PITCH * (k + 1), s)
        self.expected.append((tag, x, y, list(below)))

    # A label that is a tag number on its own (a contact of a relay drawn elsewhere).
    def label(self, x, y, tag):
        self.stack(x, y, tag)

    def title_block(self, title, number, sheet):
        self.rect(10, 10, 831, 584)
        self.rect(591, 10, 831, 70)
        for y in (22, 34, 46, 58):
            self.line(591, y + 8, 831, y + 8, "FRAME")
        self.text(595, 58, "TITLE")
        self.text(640, 58, title, 3.5)
        self.text(595, 46, "DWG.NO.")
        self.text(640, 46, number)
        self.text(780, 46, sheet)
        self.text(595, 34, "SCALE")
        self.text(640, 34, "NONE")
        self.text(700, 34, "DATE")
        self.text(730, 34, "2024.06.10")
        self.text(595, 22, "DRAWN")
        self.text(640, 22, "作成")
        self.text(690, 22, "検図")
        self.text(740, 22, "承認")
        self.text(640, 13, "コルベ電機株式会社 制御盤設計課")

    def render(self, newline, version="AC1015"):
        """AC1015: Shift-JIS; AC1021 and later: UTF-8 with the TWIN_ESCAPED characters escaped."""
        out = []
        utf8 = version >= "AC1021"

        def put(pairs):
            for code, value in pairs:
                out.append("%3d" % code)
                if utf8:
                    value = "".join("\\U+%04X" % ord(c) if c in TWIN_ESCAPED else c
                                    for c in value)
                out.append(value)

        w, h = self.extent
        put([(0, "SECTION"), (2, "HEADER"),
             (9, "$ACADVER"), (1, version),
             (9, "$ACADMAINTVER"), (70, "6"),
             (9, "$DWGCODEPAGE"), (3, "ANSI_932"),
             (9, "$INSBASE"), (10, "0.0"), (20, "0.0"), (30, "0.0"),
             (9, "$EXTMIN"), (10, "0.0"), (20, "0.0"), (30, "0.0"),
             (9, "$EXTMAX"), (10, num(w)), (20, num(h)), (30, "0.0"),
             (9, "$LIMMIN"), (10, "0.0"), (20, "0.0"),
             (9, "$LIMMAX"), (10, num(w)), (20, num(h)),
             (9, "$TEXTSIZE"), (40, "2.5"),
             (9, "$TEXTSTYLE"), (7, "STANDARD"),
             (9, "$CLAYER"), (8, "0"),
             (9, "$LUNITS"), (70, "2"),
             (9, "$LUPREC"), (70, "4"),
             (9, "$MEASUREMENT"), (70, "1"),
             (9, "$INSUNITS"), (70, "4"),
             (9, "$HANDSEED"), (5, "%X" % (self.next_handle + 2 * len(self.blocks) + 5)),
             (0, "ENDSEC")])
        put([(0, "SECTION"), (2, "CLASSES"), (0, "ENDSEC")])

        put([(0, "SECTION"), (2, "TABLES")])

        def table(name, handle, records):
            put([(0, "TABLE"), (2, name), (5, handle), (330, "0"), (100, "AcDbSymbolTable"),
                 (70, str(len(records)))])
            for r in records:
                put(r)
            put([(0, "ENDTAB")])

        table("VPORT", "8", [[(0, "VPORT"), (5, "29"), (330, "8"), (100, "AcDbSymbolTableRecord"),
                              (100, "AcDbViewportTableRecord"), (2, "*Active"), (70, "0"),
                              (10, "0.0"), (20, "0.0"), (11, "1.0"), (21, "1.0"),
                              (12, num(w / 2)), (22, num(h / 2)), (40, num(h)), (41, "1.4")]])
        ltypes = [("ByBlock", "14", ""), ("ByLayer", "15", ""), ("Continuous", "16", "Solid line")]
        table("LTYPE", "5", [[(0, "LTYPE"), (5, hd), (330, "5"), (100, "AcDbSymbolTableRecord"),
                              (100, "AcDbLinetypeTableRecord"), (2, n), (70, "0"), (3, d),
                              (72, "65"), (73, "0"), (40, "0.0")] for n, hd, d in ltypes])
        layers = [("0", 7), ("FRAME", 7), ("WIRE", 1), ("SYMBOL", 3), ("TEXT", 7), ("NOTE", 2)]
        table("LAYER", "2", [[(0, "LAYER"), (5, "%X" % (0x40 + k)), (330, "2"),
                              (100, "AcDbSymbolTableRecord"), (100, "AcDbLayerTableRecord"),
                              (2, n), (70, "0"), (62, str(c)), (6, "Continuous")]
                             for k, (n, c) in enumerate(layers)])
        table("STYLE", "3", [[(0, "STYLE"), (5, "11"), (330, "3"), (100, "AcDbSymbolTableRecord"),
                              (100, "AcDbTextStyleTableRecord"), (2, "STANDARD"), (70, "0"),
                              (40, "0.0"), (41, "1.0"), (50, "0.0"), (71, "0"), (42, "2.5"),
                              (3, "txt"), (4, "bigfont")]])
        table("VIEW", "6", [])
        table("UCS", "7", [])
        table("APPID", "9", [[(0, "APPID"), (5, "12"), (330, "9"), (100, "AcDbSymbolTableRecord"),
                              (100, "AcDbRegAppTableRecord"), (2, "ACAD"), (70, "0")]])
        table("DIMSTYLE", "A", [[(0, "DIMSTYLE"), (105, "27"), (330, "A"),
                                 (100, "AcDbSymbolTableRecord"), (100, "AcDbDimStyleTableRecord"),
                                 (2, "Standard"), (70, "0")]])
        records = [("*Model_Space", self.MODEL), ("*Paper_Space", "1B")]
        records += [(n, hd) for n, hd, _ in self.blocks]
        table("BLOCK_RECORD", "1", [[(0, "BLOCK_RECORD"), (5, hd), (330, "1"),
                                     (100, "AcDbSymbolTableRecord"),
                                     (100, "AcDbBlockTableRecord"), (2, n)] for n, hd in records])
        put([(0, "ENDSEC")])

        put([(0, "SECTION"), (2, "BLOCKS")])
        for name, hd, ents in [("*Model_Space", self.MODEL, []), ("*Paper_Space", "1B", [])] + \
                self.blocks:
            put([(0, "BLOCK"), (5, self.handle()), (330, hd), (100, "AcDbEntity"), (8, "0"),
                 (100, "AcDbBlockBegin"), (2, name), (70, "2" if any(e[0][1] == "ATTDEF"
                                                                    for e in ents) else "0"),
                 (10, "0.0"), (20, "0.0"), (30, "0.0"), (3, name), (1, "")])
            for e in ents:
                put([(c, (hd if c == 330 else v)) for c, v in e])
            put([(0, "ENDBLK"), (5, self.handle()), (330, hd), (100, "AcDbEntity"), (8, "0"),
                 (100, "AcDbBlockEnd")])
        put([(0, "ENDSEC")])

        put([(0, "SECTION"), (2, "ENTITIES")])
        for e in self.entities:
            put(e)
        put([(0, "ENDSEC")])

        put([(0, "SECTION"), (2, "OBJECTS"),
             (0, "DICTIONARY"), (5, "C"), (330, "0"), (100, "AcDbDictionary"), (281, "1"),
             (3, "ACAD_GROUP"), (350, "D"),
             (0, "DICTIONARY"), (5, "D"), (330, "C"), (100, "AcDbDictionary"), (281, "1"),
             (0, "ENDSEC"), (0, "EOF")])
        return (newline.join(out) + newline).encode("utf-8" if utf8 else "cp932")


# --- the three drawings ----------------------------------------------------------------------


def motor_block(d):
    def build(t):
        d.circle(0, 0, 10, target=t)
        d.text(-3, -1.5, "M", 3.5, target=t)  # inside BLOCKS: never read as a drawing text
    d.block("MOTOR", build)


def main_circuit():
    d = Dxf("主回路図")
    motor_block(d)
    d.title_block("モータ制御盤 主回路図", "KV-2401-01", "1/3")
    d.text(30, 560, "MCC盤より受電", 3.5)
    d.text(30, 553, "3φ3W AC200V 50Hz")
    for k, label in enumerate(("L1", "L2", "L3")):
        d.text(28 + 6 * k, 530, label)
        d.line(30 + 6 * k, 540, 30 + 6 * k, 470)
    # Main earth-leakage breaker, then the bus.
    d.rect(72, 470, 96, 500, "SYMBOL")
    d.stack(100, 496, "ELB1", "3P 100AF 75A 30mA", "KE-103")
    for k in range(3):
        d.line(84, 470 - 4 * k, 740, 470 - 4 * k)
    d.text(700, 476, "FG")
    d.line(700, 474, 700, 462, "WIRE")

    feeders = [
        # column, breaker, load device, overload, motor
        (150, ("MCCB1", "3P 30AF 20A", "KB-32S"), ("MC1", "AC200V 2.2kW", "KC-11"),
         ("THR1", "9A (7-11A)", "KT-12"), ("IM1", "2.2kW 4P", "給水ポンプ No.1")),
        (250, ("MCCB2", "3P 30AF 30A", "KB-32S"), ("MC2", "AC200V 3.7kW", "KC-11"),
         ("THR2", "15A (12-18A)", "KT-20"), ("IM2", "3.7kW 4P", "排水ポンプ")),
        (350, ("MCCB3", "3P 63AF 40A", "KB-63S"), ("MC3", "AC200V 5.5kW", "KC-20"),
         ("THR3", "22A (18-26A)", "KT-25"), ("IM3", "5.5kW 4P", "送風機")),
        (450, ("MCCB4", "3P 63AF 50A", "KB-63S"), ("INV1", "200V 7.5kW", "VF-75"),
         None, ("IM4", "7.5kW 4P", "循環ポンプ")),
    ]
    for x, breaker, device, overload, motor in feeders:
        d.line(x, 458, x, 112)
        d.text(x - 14, 440, str(x // 50 + 10))  # wire number
        d.rect(x - 8, 396, x + 8, 420, "SYMBOL")
        d.stack(x + 12, 416, *breaker)
        d.rect(x - 8, 306, x + 8, 330, "SYMBOL")
        d.stack(x + 12, 326, *device)
        if overload:
            d.rect(x - 8, 240, x + 8, 256, "SYMBOL")
            d.stack(x + 12, 254, *overload)
        d.insert("MOTOR", x, 100)
        d.stack(x + 14, 150, *motor)
        for k, t in enumerate(("U", "V", "W")):
            d.text(x - 12 + 8 * k, 116, t)
        d.text(x + 30, 120, "TB1-%d" % (x // 100))

    # Control power: transformer and fuses, heater, panel fan and thermostat.
    d.line(550, 458, 550, 200)
    d.rect(542, 396, 558, 420, "SYMBOL")
    d.stack(562, 416, "MCCB5", "2P 30AF 10A", "KB-32S")
    d.circle(550, 318, 8)
    d.circle(550, 306, 8)
    d.stack(562, 326, "TR1", "200V/100V 500VA", "KTR-500")
    for fx, tag in ((540, "F1"), (580, "F2")):
        d.rect(fx - 3, 236, fx + 3, 252, "SYMBOL")
        d.stack(fx + 6, 254, tag, "5A", "KF-10")
    d.text(530, 200, "制御回路へ (AC100V)")
    d.line(650, 458, 650, 200)
    d.rect(642, 396, 658, 420, "SYMBOL")
    d.stack(662, 416, "MCCB6", "2P 30AF 5A", "KB-32S")
    d.stack(662, 326, "HTR1", "AC200V 100W", "KHT-100")
    d.stack(662, 254, "TS1", "0-40℃", "KTS-40")
    d.stack(722, 326, "FAN1", "AC200V 30W", "KFN-120")
    return d


def control_circuit():
    d = Dxf("制御回路図")
    d.title_block("モータ制御盤 制御回路図", "KV-2401-02", "2/3")
    d.text(40, 565, "制御電源 AC100V (F1, F2 より)", 3.5)
    d.line(60, 550, 60, 90)
    d.line(780, 550, 780, 90)
    rungs = [530, 460, 390, 320, 250, 180, 110]
    for k, y in enumerate(rungs):
        d.line(60, y, 780, y)
        d.text(66, y + 2, str(k + 1))  # wire numbers
    y0, y1, y2, y3, y4, y5, y6 = rungs

    def contact(x, y, tag):
        d.line(x - 4, y - 5, x - 4, y + 5, "SYMBOL")
        d.line(x + 4, y - 5, x + 4, y + 5, "SYMBOL")
        d.label(x - 8, y + 16, tag)

    def coil(x, y, tag, *below):
        d.circle(x, y, 6)
        d.stack(x - 8, y + 16, tag, *below)

    def lamp(x, y, tag, *below):
        d.circle(x, y, 6)
        d.line(x - 4, y - 4, x + 4, y + 4, "SYMBOL")
        d.stack(x - 8, y + 16, tag, *below)

    def switch(x, y, tag, *below):
        d.line(x - 5, y, x + 5, y + 5, "SYMBOL")
        d.stack(x - 8, y + 16, tag, *below)

    switch(120, y0, "PB9", "非常停止 φ40 1b", "KP-40E")
    switch(200, y0, "PB2", "停止 赤 1b", "KP-22R")
    switch(280, y0, "PB1", "運転 緑 1a", "KP-22G")
    contact(360, y0, "THR1")
    coil(700, y0, "MC1")
    contact(280, y1, "MC1")
    lamp(700, y1, "PL2", "運転 緑 AC100V", "KL-22G")
    switch(120, y2, "SS1", "手動-自動 2ノッチ", "KS-22-2")
    switch(200, y2, "LS1", "上限", "客先支給")
    contact(280, y2, "X2")
    lamp(620, y2, "PL3", "停止 赤 AC100V", "KL-22R")
    coil(700, y2, "CR1", "AC100V 4c", "KR-4N")
    switch(120, y3, "FLS1", "満水検出", "客先支給")
    contact(360, y3, "THR2")
    coil(620, y3, "X2", "AC100V 2c", "KR-2N")
    coil(700, y3, "CR2", "AC100V 4c", "KR-4N")
    contact(120, y4, "CR1")
    contact(360, y4, "THR3")
    lamp(620, y4, "PL4", "故障 橙 AC100V", "KL-22A")
    coil(700, y4, "T1", "0.5-30s", "KTM-48")
    contact(120, y5, "T1")
    coil(620, y5, "CR3", "AC100V 2c", "KR-2N")
    coil(700, y5, "BZ1", "AC100V 80dB", "KBZ-30")
    contact(120, y6, "TS1")
    lamp(620, y6, "PL1", "電源 白 AC100V", "KL-22W")
    coil(700, y6, "X1", "AC100V 2c", "KR-2N")
    d.text(790, y5 + 2, "PLC入力へ")
    d.text(790, y3 + 2, "TB2-5")
    return d


def operation_board():
    d = Dxf("操作盤外形図")

    def symbol_block(name, draw):
        def build(t):
            draw(t)
            d.attdef(t, -8, -20, "TAG", "機器番号", "PL?")
            d.attdef(t, -8, -24, "SPEC", "仕様", "")
            d.attdef(t, -8, -28, "TYPE", "型式", "")
        d.block(name, build)

    symbol_block("PL_LAMP", lambda t: (d.circle(0, 0, 11, target=t), d.circle(0, 0, 7, target=t)))
    symbol_block("PB_BUTTON", lambda t: (d.circle(0, 0, 11, target=t),
                                         d.rect(-6, -6, 6, 6, "SYMBOL", t)))
    symbol_block("SS_SWITCH", lambda t: (d.circle(0, 0, 11, target=t),
                                         d.line(-8, -2, 8, 2, "SYMBOL", t)))
    symbol_block("METER", lambda t: d.rect(-16, -16, 16, 16, "SYMBOL", t))
    symbol_block("BUZZER", lambda t: d.circle(0, 0, 9, target=t))

    d.title_block("モータ制御盤 操作盤外形図", "KV-2401-03", "3/3")
    d.rect(60, 100, 460, 540)  # door
    d.rect(70, 110, 450, 530, "SYMBOL")
    d.rect(520, 100, 580, 540)  # side view
    d.text(200, 85, "400")
    d.text(30, 320, "440")
    d.text(60, 556, "正面図", 3.5)
    d.text(100, 556, "FRONT VIEW")
    d.text(520, 556, "側面図", 3.5)
    d.text(300, 300, "SS400 t2.3")

    devices = [
        (470, [("PL_LAMP", "電源", "PL1", "白 AC100V", "KL-22W"),
               ("PL_LAMP", "運転", "PL2", "緑 AC100V", "KL-22G"),
               ("PL_LAMP", "停止", "PL3", "赤 AC100V", "KL-22R"),
               ("PL_LAMP", "故障", "PL4", "橙 AC100V", "KL-22A")]),
        (350, [("METER", "電流計", "AM1", "0-30A CT30/5A", "KAM-30"),
               ("METER", "電圧計", "VM1", "0-300V", "KVM-300"),
               ("BUZZER", "ブザー", "BZ1", "AC100V 80dB", "KBZ-30"),
               ("SS_SWITCH", "手動 自動", "SS1", "2ノッチ", "KS-22-2")]),
        (230, [("PB_BUTTON", "運転", "PB1", "緑 1a", "KP-22G"),
               ("PB_BUTTON", "停止", "PB2", "赤 1b", "KP-22R"),
               ("PB_BUTTON", "非常停止", "PB9", "赤 φ40 1b", "KP-40E")]),
    ]
    for cy, row in devices:
        # The fourth column stands apart so that no text of the other two drawings falls below
        # a tag when all three are read in one batch.
        for cx, (block, plate, tag, spec, typ) in zip((130, 210, 290, 400), row):
            d.rect(cx - 14, cy + 18, cx + 14, cy + 28, "SYMBOL")
            d.text(cx - 8, cy + 22, plate)
            d.insert(block, cx, cy, [("TAG", cx - 8, cy - 20, tag),
                                     ("SPEC", cx - 8, cy - 24, spec),
                                     ("TYPE", cx - 8, cy - 28, typ)])
            d.expected.append((tag, cx - 8, cy - 20, [spec, typ]))
    d.rect(200, 516, 300, 534, "SYMBOL")
    d.stack(240, 525, "NP1", "盤名称板 W200×H50", "アクリル t3")
    d.stack(530, 450, "FAN1", "AC200V 30W", "KFN-120")
    d.mtext(600, 540, "{\\fＭＳ ゴシック|b0|i0|c128|p49;注記}\\P"
            "1. 盤面塗装色：マンセル 5Y7/1 半艶\\P"
            "2. 銘板：アクリル 白地黒文字 t3\\P"
            "3. 表示灯はLED式とする", 3.0, 220)
    d.mtext(600, 470, "仕様\\P" + "\\P".join([
        "筐体：鋼板 SS400 t2.3 (扉 t2.3、側板 t1.6)",
        "塗装：焼付塗装 内外面 マンセル 5Y7/1",
        "保護等級：IP44 屋内自立形",
        "扉：右開き ハンドル付 キー付 (共通キー)",
        "配線：主回路 IV 5.5sq 黒、制御回路 KIV 1.25sq 黄",
        "接地：盤内接地端子 E1 14sq",
        "銘板：アクリル 白地黒文字 t3",
    ]), 2.5, 220)
    return d


# --- reference files ---------------------------------------------------------------------------

# part name, tag number, type, maker, supply class, accessories (name, type) x 4
BASE_PARTS = [
    ("配線用遮断器", "MCCB", "KB-32", "コルベ電機", 0,
     [("外部操作ハンドル", "KB-H1"), ("", ""), ("端子カバー", "KB-TC3")]),
    ("配線用遮断器", "MCCB", "KB-63", "コルベ電機", 0,
     [("外部操作ハンドル", "KB-H2"), ("", ""), ("端子カバー", "KB-TC6")]),
    ("漏電遮断器", "ELB", "KE-", "コルベ電機", 0, [("端子カバー", "KE-TC10")]),
    ("電磁接触器", "MC", "KC-11", "コルベ電機", 0,
     [("補助接点ユニット", "KC-AU11"), ("サージキラー", "KC-SK1")]),
    ("電磁接触器", "MC", "KC-20", "コルベ電機", 0,
     [("補助接点ユニット", "KC-AU11"), ("サージキラー", "KC-SK2")]),
    ("熱動形過負荷継電器", "THR", "KT-", "コルベ電機", 0, [("独立取付ユニット", "KT-UN1")]),
    ("制御用変圧器", "TR", "KTR-", "サクラ電設", 0, [("端子カバー", "KTR-TC")]),
    ("サーモスタット", "TS", "KTS-", "サクラ電設", 0, []),
    ("タイマ", "T", "KTM-", "ミナト制御", 0,
     [("ソケット", "KTM-S8"), ("", ""), ("", ""), ("取付金具", "KTM-BR")]),
    ("補助継電器(4c)", "CR", "KR-4N", "ミナト制御", 0,
     [("ソケット", "KR-SK14"), ("", ""), ("保持金具", "KR-CL1")]),
    ("補助継電器(2c)", "CR*", "KR-2N", "ミナト制御", 0,
     [("ソケット", "KR-SK08"), ("", ""), ("保持金具", "KR-CL1")]),
    ("補助継電器", "X", "KR-", "ミナト制御", 0, [("ソケット", "KR-SK08")]),
    ("表示灯(白)", "PL", "KL-22W", "ヤマブキ電工", 0, [("LEDランプ", "KL-LED-W")]),
    ("表示灯(緑)", "PL", "KL-22G", "ヤマブキ電工", 0, [("LEDランプ", "KL-LED-G")]),
    ("表示灯(赤)", "PL", "KL-22R", "ヤマブキ電工", 0, [("LEDランプ", "KL-LED-R")]),
    ("表示灯(橙)", "PL", "KL-22A", "ヤマブキ電工", 0, [("LEDランプ", "KL-LED-A")]),
    ("非常停止押ボタン", "PB", "KP-40E", "ヤマブキ電工", 0,
     [("銘板(非常停止)", "KP-NP40"), ("", ""), ("", ""), ("ロックアウト金具", "KP-LK1")]),
    ("押ボタンスイッチ(緑)", "PB", "KP-22G", "ヤマブキ電工", 0, [("", ""), ("保護カバー", "KP-CV22")]),
    ("押ボタンスイッチ(赤)", "PB", "KP-22R", "ヤマブキ電工", 0, [("", ""), ("保護カバー", "KP-CV22")]),
    ("切換スイッチ", "SS", "KS-22", "ヤマブキ電工", 0, []),
    ("電流計", "AM", "KAM-", "アオバ計器", 0, [("変流器", "KCT-30")]),
    ("電圧計", "VM", "KVM-", "アオバ計器", 0, [("計器用ヒューズ", "KF-05")]),
    ("ブザー", "BZ", "KBZ-", "ヤマブキ電工", 0, []),
    ("盤用換気扇", "FAN", "KFN-", "サクラ電設", 0, [("フィルタ", "KFN-FL120")]),
    ("フロートスイッチ", "FLS", "", "", 1, []),
    ("ヒューズ", "F", "KF-10", "サクラ電設", 0, [("ヒューズホルダ", "KF-H10")]),
    ("スペースヒータ", "HTR", "KHT-", "サクラ電設", 0, []),
    ("インバータ", "INV", "VF-", "ミナト制御", 1, []),
    ("三相誘導電動機", "IM", "", "", 1, []),
    ("リミットスイッチ", "LS", "", "", 1, []),
    ("盤名称板", "NP", "", "", 2, []),
    ("直流電源", "PS", "KPS-", "サクラ電設", 0, []),
]

PROHIBITED_WORDS = ["TITLE", "TB", "FG", "FRONT", "FROM", "PLC", "SS400", "MCC盤"]


def base_parts_bytes():
    lines = []
    for name, tag, typ, maker, supply, acc in BASE_PARTS:
        acc = list(acc) + [("", "")] * (4 - len(acc))
        fields = [name, tag, typ, maker, str(supply)] + [f for pair in acc for f in pair]
        lines.append("".join(f + "," for f in fields) + "\r\n")
    return "".join(lines).encode("cp932")


def korvane_ini_bytes():
    with open(RESET_INI, "rb") as f:
        ini = f.read()
    ini = ini.replace(b"part_file1=\r\n", b"part_file1=base_parts.txt\r\n", 1)
    ini = ini.replace(b"kinsi_file1=\r\n", b"kinsi_file1=prohibited_words.txt\r\n", 1)
    assert b"part_select=1\r\n" in ini
    return ini


# --- reading back ------------------------------------------------------------------------------


def program_text(value, utf8):
    """A group 1 value as the program keeps it (the samples hold only code page 932 characters)."""
    if not utf8:
        return value
    s = value.decode("utf-8")
    return re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), s).encode("cp932")


def read_dxf_texts(data):
    """(x, y, text bytes) of TEXT / MTEXT / ATTRIB in ENTITIES, as the program's reader takes them."""
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    lines = [ln[:-1] if ln.endswith(b"\r") else ln for ln in data.split(b"\n")]
    if lines and lines[-1] == b"":
        lines.pop()
    texts, section, pending, rec = [], 0, set(), {}
    full = {"text", "x", "y"}
    utf8, version_due = False, False
    for i in range(0, len(lines) - 1, 2):
        code = int(lines[i].strip())  # raises on a file that is not ASCII DXF
        value = lines[i + 1]
        if version_due and code == 1 and re.fullmatch(rb"AC\d+", value.strip()):
            utf8 = int(value.strip()[2:]) >= 1021
        version_due = code == 9 and section == 1 and value.strip() == b"$ACADVER"
        if code == 0:
            if value.startswith(b"EOF"):
                break
            if value.startswith(b"SECTIO"):
                section = -1
            elif value.startswith(b"ENDSEC"):
                section = 0
            elif value.startswith(b"TEXT") and section == 5 and pending != full:
                pending = set(full)
        elif code == 2 and section == -1:
            names = [b"HEADER", b"CLASSES", b"TABLES", b"BLOCKS", b"ENTITIES", b"OBJECTS"]
            section = next((k + 1 for k, n in enumerate(names) if value.startswith(n)), 0)
        elif code == 100 and section == 5 and pending != full and \
                (value.startswith(b"AcDbMText") or value.startswith(b"AcDbText")):
            pending = set(full)
        elif code in (1, 10, 20) and section == 5 and pending:
            item = {1: "text", 10: "x", 20: "y"}[code]
            rec[item] = program_text(value, utf8) if code == 1 else float(value)
            pending.discard(item)
            if not pending:
                texts.append((rec["x"], rec["y"], rec["text"]))
                rec = {}
    return texts


def read_settings(data):
    s = {}
    for line in data.split(b"\r\n"):
        if b"=" in line:
            k, v = line.split(b"=", 1)
            s[k.decode()] = v
    return s


def load_reference():
    with open(os.path.join(SAMPLES, "Korvane.ini"), "rb") as f:
        ini = read_settings(f.read())
    with open(os.path.join(SAMPLES, ini["part_file1"].decode()), "rb") as f:
        entries = [ln.split(b",") for ln in f.read().split(b"\r\n") if ln]
    with open(os.path.join(SAMPLES, ini["kinsi_file1"].decode()), "rb") as f:
        words = [w for w in f.read().split(b"\r\n") if w]
    return ini, [(e[1], e[2]) for e in entries], words


def recognise(texts, ini, entries, words):
    """Rows of recognition (the plain algorithm) plus each anchor's whole group."""
    pt_x, pt_y = int(ini["pt_x"]), int(ini["pt_y"])
    rows = []
    for i, (x, y, t) in enumerate(texts):
        def hit(patterns):
            return any(p and t.startswith(p) for p in patterns)
        if not hit([e[0] for e in entries]) or hit([e[1] for e in entries]) or hit(words):
            continue
        group = [(yj, j, tj) for j, (xj, yj, tj) in enumerate(texts)
                 if j != i and x - pt_x < xj < x + pt_x and y - pt_y < yj < y]
        group.sort(key=lambda g: (-g[0], g[1]))
        below = [g[2] for g in group]
        row = [t]
        for c in range(1, 8):
            kotei = ini["kotei%d" % c]
            n = int(ini["jyunban%d" % c] or b"0")
            row.append(kotei if kotei else (below[n - 2] if 2 <= n <= 10 and n - 2 < len(below)
                                            and n - 2 < 9 else b""))
        rows.append((row, (x, y), below))
    return rows


def check(drawings_expected, show):
    ini, entries, words = load_reference()
    failures = []
    batch = []
    expected_all = {}
    for name, expected in drawings_expected:
        with open(os.path.join(SAMPLES, name), "rb") as f:
            data = f.read()
        texts = read_dxf_texts(data)
        batch += texts
        exp = {(t.encode("cp932"), round(x, 3), round(y, 3)): [b.encode("cp932") for b in below]
               for t, x, y, below in expected}
        expected_all.update(exp)
        rows = recognise(texts, ini, entries, words)
        failures += compare(name, rows, exp)
        if show:
            print("== %s: %d texts, %d rows" % (name, len(texts), len(rows)))
            for row, _, _ in rows:
                print("  " + " | ".join(c.decode("cp932") for c in row))
    rows = recognise(batch, ini, entries, words)
    failures += compare("batch of all three", rows, expected_all)
    if show:
        print("== batch: %d texts, %d rows" % (len(batch), len(rows)))
    return failures


def compare(name, rows, expected):
    failures = []
    seen = set()
    for row, (x, y), below in rows:
        key = (row[0], round(x, 3), round(y, 3))
        seen.add(key)
        if key not in expected:
            failures.append("%s: unexpected anchor %s at (%g, %g)" %
                            (name, row[0].decode("cp932"), x, y))
        elif below != expected[key]:
            failures.append("%s: %s at (%g, %g) collects %s, expected %s" % (
                name, row[0].decode("cp932"), x, y, [b.decode("cp932") for b in below],
                [b.decode("cp932") for b in expected[key]]))
    for key in expected:
        if key not in seen:
            failures.append("%s: %s at (%g, %g) is not recognised" %
                            (name, key[0].decode("cp932"), key[1], key[2]))
    return failures


def check_twin(show):
    texts = {}
    for name in (DRAWINGS[0], UTF8_TWIN):
        with open(os.path.join(SAMPLES, name), "rb") as f:
            texts[name] = read_dxf_texts(f.read())
    if show:
        print("== %s: %d texts" % (UTF8_TWIN, len(texts[UTF8_TWIN])))
    if texts[UTF8_TWIN] != texts[DRAWINGS[0]]:
        return ["%s: texts differ from those of %s" % (UTF8_TWIN, DRAWINGS[0])]
    return []


def main():
    check_only = "--check" in sys.argv
    show = "--print" in sys.argv
    drawings = [main_circuit(), control_circuit(), operation_board()]
    if not check_only:
        os.makedirs(SAMPLES, exist_ok=True)
        # The control circuit is saved with LF line ends, as some CAD exports do.
        for name, d, nl in zip(DRAWINGS, drawings, ("\r\n", "\n", "\r\n")):
            with open(os.path.join(SAMPLES, name), "wb") as f:
                f.write(d.render(nl))
        with open(os.path.join(SAMPLES, "base_parts.txt"), "wb") as f:
            f.write(base_parts_bytes())
        with open(os.path.join(SAMPLES, "prohibited_words.txt"), "wb") as f:
            f.write("".join(w + "\r\n" for w in PROHIBITED_WORDS).encode("cp932"))
        with open(os.path.join(SAMPLES, "Korvane.ini"), "wb") as f:
            f.write(korvane_ini_bytes())
        with open(os.path.join(SAMPLES, UTF8_TWIN), "wb") as f:
            f.write(main_circuit().render("\r\n", "AC1024"))
    failures = check([(n, d.expected) for n, d in zip(DRAWINGS, drawings)], show)
    failures += check_twin(show)
    for f in failures:
        print(f, file=sys.stderr)
    if failures:
        sys.exit(1)
    print("samples OK")


if __name__ == "__main__":
    main()
