#!/usr/bin/env python3
"""The real window read through AT-SPI, as a screen reader reads it, after a preview."""
import os, subprocess, sys, tempfile, time
import pyatspi
from gi.repository import GLib

def record(*fields):
    rec = bytearray(463)
    for at, text in zip((5, 37, 69, 82, 93), fields):
        b = text.encode('cp1250')
        rec[at], rec[at + 1:at + 1 + len(b)] = len(b), b
    return bytes(rec)

def wait(probe, what):
    for _ in range(200):
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    sys.exit('not seen in 20 s: ' + what)

def named(root, name, role):
    return pyatspi.findDescendant(root, lambda n: n.name == name and n.getRole() == role)

with tempfile.TemporaryDirectory() as folder:
    stock = os.path.join(folder, 'mag.rek')
    with open(stock, 'wb') as f:
        f.write(record('Mąka żytnia', '<B>Nowość</B> &amp; rabat', 'kg') + record('Towar 2'))
    window = subprocess.Popen([sys.argv[1]])
    try:
        root = wait(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                  if a and a.get_process_id() == window.pid and a.childCount), None),
                    'the window')
        for name, role in [('Naprawianie magazynu', pyatspi.ROLE_FRAME),
                           ('Plik magazynu QX705:', pyatspi.ROLE_TEXT),
                           ('Wybierz plik', pyatspi.ROLE_PUSH_BUTTON),
                           ('Ile rekordów zczytać?', pyatspi.ROLE_TEXT),
                           ('Kalkulator', pyatspi.ROLE_PUSH_BUTTON),
                           ('Koniec', pyatspi.ROLE_PUSH_BUTTON),
                           ('Podgląd rekordów', pyatspi.ROLE_TABLE)]:
            assert named(root, name, role) is not None, (name, role)
        named(root, 'Plik magazynu QX705:', pyatspi.ROLE_TEXT).queryEditableText().setTextContents(stock)
        named(root, 'Czytaj', pyatspi.ROLE_PUSH_BUTTON).queryAction().doAction(0)
        grid = named(root, 'Podgląd rekordów', pyatspi.ROLE_TABLE)
        table = grid.queryTable()
        wait(lambda: table.nRows > 2, 'the previewed rows')
        cells = [[table.getAccessibleAt(r, c) for c in range(table.nColumns)] for r in range(3)]
        for row in cells:
            print(' | '.join(f'{c.getRoleName()} "{c.name}"' for c in row))
        shown = (cells[1][1].name, cells[1][2].name, cells[2][1].name)
        assert shown == ('Mąka żytnia', 'Nowość & rabat', 'Towar 2'), shown
        assert table.getColumnHeader(2).getRole() == pyatspi.ROLE_TABLE_COLUMN_HEADER
        focused = []
        def heard(event):
            if event.detail1:
                focused.append(event.source.name)
            if focused[-1:] == ['Towar 2']:
                pyatspi.Registry.stop()
        pyatspi.Registry.registerEventListener(heard, 'object:state-changed:focused')
        subprocess.run('xdotool search --sync --onlyvisible --name "^Naprawianie magazynu$" '
                       'windowfocus --sync', shell=True, check=True)
        GLib.timeout_add(100, lambda: grid.queryComponent().grabFocus() and False)
        GLib.timeout_add(600, lambda: subprocess.run(['xdotool', 'key', 'Down']) and False)
        GLib.timeout_add(20000, pyatspi.Registry.stop)
        pyatspi.Registry.start()
        print('focus announced on:', focused)
        assert focused[-1:] == ['Towar 2'], focused
    finally:
        window.kill()
