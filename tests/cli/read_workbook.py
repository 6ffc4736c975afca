"""Prints what openpyxl, a reader independent of the writer, finds in a workbook: per sheet its
name, the frozen cell, the filter's range, the column widths, and every row's cells joined by
tabs (a number marked with #). Used by the CLI tests on the native build."""
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
for sheet in book.worksheets:
    print(f"sheet {sheet.title} freeze={sheet.freeze_panes} filter={sheet.auto_filter.ref}")
    print("widths " + " ".join(f"{c}={sheet.column_dimensions[c].width:.2f}" for c in "ABCDEFGH"))
    for row in sheet.iter_rows(values_only=True):
        cells = []
        for value in row:
            if value is None:
                cells.append("")
            elif isinstance(value, (int, float)):
                cells.append(f"#{value:g}")
            else:
                cells.append(value)
        print("\t".join(cells))
