"""Drives the simulation by keyboard (xdotool) and reads it back through AT-SPI (pyatspi) on the
accessibility bus of the session, as a screen reader does. Run by accessibility_bus_test.sh; exits
non-zero with the reason on the first check that fails."""
import argparse
import csv
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, Gio, GLib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pngrows import read_png  # noqa: E402

WORDS = {
    "english": {"title": "Varactor Diode", "about": "About", "exit": "Exit", "ok": "OK",
                "abrupt": "abrupt, 0", "between_up": "between abrupt and linear, 1.",
                "grading": "Grading of the doping profile",
                "capacitance_axes": ("voltage in volts", "capacitance in picofarads"),
                "profile_axes": ("depth in micrometres", "N D, times 10 to the 16 per cubic centimetre"),
                "hyper": "hyperabrupt, -1000", "linear": "linear, 1000",
                "between_down": "between hyperabrupt and abrupt, -400", "point": ".",
                "falls": "capacitance falls from", "info": "Information about the simulation",
                "starts_above": "starts at 100 times 10 to the 16 per cubic centimetre, above the top of the axis at 10",
                "level_off": "levelling off towards voltage 10.0 volts"},
    "german": {"title": "Kapazitätsdiode", "about": "Info", "exit": "Beenden", "ok": "OK",
               "abrupt": "abrupt, 0", "between_up": "zwischen abrupt und linear, 1.",
               "grading": "Gradierung des Dotierungsprofils",
               "capacitance_axes": ("Spannung in Volt", "Kapazität in Pikofarad"),
               "profile_axes": ("Tiefe in Mikrometern", "N D, mal 10 hoch 16 pro Kubikzentimeter"),
               "hyper": "hyperabrupt, -1000", "linear": "linear, 1000",
               "between_down": "zwischen hyperabrupt und abrupt, -400", "point": ",",
               "falls": "Kapazität fällt von", "info": "Informationen zur Simulation",
               "starts_above": "beginnt bei 100 mal 10 hoch 16 pro Kubikzentimeter, über dem oberen Achsenende bei 10",
               "level_off": "zu Spannung 10,0 Volt hin abflachend"},
}


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Session:
    def __init__(self, args):
        self.args = args
        self.words = WORDS[args.language]
        self.events = []
        for kind in ("object:value-changed", "object:property-change:accessible-description",
                     "object:state-changed:focused", "object:children-changed"):
            pyatspi.Registry.registerEventListener(self.record, kind)
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANGUAGE="", LC_ALL="", LANG="C.UTF-8")
        # No browser and no opener can be found: a link must then say so.
        empty = os.path.join(args.work, "no-programs")
        os.makedirs(empty, exist_ok=True)
        env["PATH"] = empty
        env.pop("BROWSER", None)
        if args.scale != 1:
            env["QT_SCALE_FACTOR"] = str(args.scale)
        self.log = open(os.path.join(args.work, "program.log"), "w")
        self.process = subprocess.Popen([args.program, "--language", args.language], env=env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        self.app = None

    def record(self, event):
        try:
            name, role = event.source.name, event.source.getRoleName()
        except Exception:  # an object already gone
            name, role = None, None
        self.events.append((event.type, name, role, event.detail1))

    def close(self):
        self.process.kill()
        self.process.wait()

    # ---- waiting and input ----

    @staticmethod
    def pump(seconds):
        context = GLib.MainContext.default()
        end = time.time() + seconds
        while time.time() < end:
            while context.pending():
                context.iteration(False)
            time.sleep(0.02)

    def wait_for(self, what, condition, timeout=10):
        end = time.time() + timeout
        while time.time() < end:
            try:
                value = condition()
            except Exception:
                value = None
            if value:
                return value
            self.pump(0.1)
        raise Failure("timed out waiting for " + what)

    def key(self, name, settle=0.4):
        subprocess.run(["xdotool", "key", name], check=True)
        self.pump(settle)

    # ---- the tree ----

    def find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            child = desktop.getChildAtIndex(i)
            if child is not None and child.name == "varactor":
                return child
        return None

    def windows(self):
        return [self.app.getChildAtIndex(i) for i in range(self.app.childCount)]

    def window(self, role):
        for w in self.windows():
            if w is not None and w.getRoleName() == role:
                return w
        return None

    def walk(self, node, visit, depth=0):
        visit(node, depth)
        if node.getRoleName() == "chart":
            # The data cells are checked through the table; only the explored point follows it.
            for i in range(node.childCount):
                child = node.getChildAtIndex(i)
                if child is not None and child.getRoleName() != "table":
                    visit(child, depth + 1)
            return
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                self.walk(child, visit, depth + 1)

    def focused(self):
        found = []

        def visit(node, _):
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                found.append(node)

        for w in self.windows():
            self.walk(w, visit)
        return found

    def focused_one(self):
        found = self.focused()
        check(len(found) == 1, "exactly one object must claim the focus, found %s" % [
            (f.getRoleName(), f.name) for f in found])
        return found[0]

    def find(self, role, name=None, root=None):
        result = []

        def visit(node, _):
            if node.getRoleName() == role and (name is None or node.name == name):
                result.append(node)

        self.walk(root or self.window("frame"), visit)
        return result

    @staticmethod
    def extents(node):
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height

    def take(self, kind, source_role=None):
        taken = [e for e in self.events if e[0].startswith(kind) and (source_role is None or e[2] == source_role)]
        return taken

    # ---- screenshots ----

    def screenshot(self, name):
        path = os.path.join(self.args.work, name)
        subprocess.run(["import", "-window", "root", "-depth", "8", "PNG24:" + path], check=True)
        return path


def contrast(a, b):
    def lum(c):
        def ch(v):
            v /= 255.0
            return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
        return 0.2126 * ch(c[0]) + 0.7152 * ch(c[1]) + 0.0722 * ch(c[2])
    la, lb = lum(a), lum(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def pixel(image, x, y):
    width, height, bpp, rows = image
    row = rows[y]
    return tuple(row[x * bpp:x * bpp + 3])


def ring_contrast(image, box, scale):
    """The best contrast, over the four sides of a control's box, between the focus ring just
    outside it and the background a few pixels further out."""
    x, y, w, h = [int(round(v * scale)) for v in box]
    s = int(round(scale))
    samples = [((x - s, y + h // 2), (x - 4 * s - 1, y + h // 2)),
               ((x + w + s - 1, y + h // 2), (x + w + 4 * s, y + h // 2)),
               ((x + w // 2, y - s), (x + w // 2, y - 4 * s - 1)),
               ((x + w // 2, y + h + s - 1), (x + w // 2, y + h + 4 * s))]
    best = 0
    for ring, outside in samples:
        try:
            best = max(best, contrast(pixel(image, *ring), pixel(image, *outside)))
        except IndexError:
            pass
    return best


def numbers(text):
    return [float(n.replace(",", ".")) for n in re.findall(r"-?\d+(?:[.,]\d+)?", text)]


def close_enough(a, b, relative=0.006):
    return abs(a - b) <= relative * max(abs(a), abs(b), 1e-12)


def read_csv(program, position, work):
    path = os.path.join(work, "curves_%d.csv" % position)
    subprocess.run([program, "--export-csv", path, "--position", str(position)], check=True)
    with open(path) as f:
        rows = list(csv.reader(f))
    capacitance = [(float(r[0]), float(r[1])) for r in rows[1:] if r[0]]
    profile = [(float(r[2]), float(r[3])) for r in rows[1:] if r[2]]
    return capacitance, profile


def run(args):
    s = Session(args)
    try:
        s.app = s.wait_for("the program on the bus", s.find_app, timeout=20)
        about = s.wait_for("the about box", lambda: s.window("dialog"))
        s.wait_for("the about box's focus on OK", lambda: s.focused_one().name == s.words["ok"])
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^%s$" % s.words["about"],
                        "windowfocus", "--sync"], check=True)
        s.key("Return", 1.0)
        frame = s.wait_for("the main window alone", lambda: len(s.windows()) == 1 and s.window("frame"))
        check(frame.name == s.words["title"], "the main window is named %r" % frame.name)
        exit_button = s.wait_for("the focus on Exit after the about box",
                                 lambda: s.focused_one().name == s.words["exit"] and s.focused_one())
        charts = s.find("chart")
        check(len(charts) == 2, "two charts expected, found %d" % len(charts))
        profile_chart, capacitance_chart = sorted(charts, key=lambda c: s.extents(c)[0])
        slider = s.find("slider")[0]

        if args.scale == 1:
            # Visible focus on Exit right after the about box.
            image = read_png(s.screenshot("exit_focus.png"))
            ratio = ring_contrast(image, s.extents(exit_button), 1)
            check(ratio >= 3, "the focus ring on Exit after the about box has a contrast of %.2f:1" % ratio)

        if args.scale == 1 and args.position == 0:
            check_tree(s, frame, charts)
            check_properties(s)
            check_tab_cycle(s, charts, slider)
            check_slider(s, slider)
            check_table(s, profile_chart, capacitance_chart, 0)
            check_exploring(s, capacitance_chart, 0)
            if args.language == "english":
                check_about_again_and_link(s)
        elif args.scale == 1:
            move_slider_to(s, slider, args.position)
            description = profile_chart.description
            check(s.words["starts_above"] in description, "the profile chart's description %r" % description)
            check_table(s, profile_chart, capacitance_chart, args.position)
            check_exploring(s, capacitance_chart, args.position, screenshot="accessibility_chart_point_scale1.png")
        else:
            check_exploring(s, capacitance_chart, 0,
                            screenshot="accessibility_chart_point_scale%d.png" % args.scale)
    finally:
        s.close()


def focus_chart(s, chart):
    for _ in range(8):
        if chart.getState().contains(pyatspi.STATE_FOCUSED):
            return
        s.key("Tab")
    raise Failure("Tab never reached the chart %r" % chart.name)


def check_tree(s, frame, charts):
    check(frame.getRoleName() == "frame", "the main window's role is %r" % frame.getRoleName())
    memo = s.find("text")
    check(memo and memo[0].name == s.words["info"], "the information text is named %r" % (memo and memo[0].name))
    problems = []

    def visit(node, depth):
        x, y, w, h = s.extents(node)
        showing = node.getState().contains(pyatspi.STATE_SHOWING)
        if showing and (w <= 0 or h <= 0):
            problems.append("%s %r is shown without a size" % (node.getRoleName(), node.name))

    s.walk(frame, visit)
    check(not problems, "; ".join(problems))
    for chart in charts:
        data = chart.getChildAtIndex(0)
        check(data.getRoleName() == "table" and data.name.startswith(chart.name),
              "chart %r's first child is a %s %r" % (chart.name, data.getRoleName(), data.name))
        table = data.queryTable()
        check(data.childCount == table.nRows * 2 + 2,
              "chart %r's table has %d children for %d rows" % (chart.name, data.childCount, table.nRows))
        for index in (0, 1, 2, data.childCount - 1):
            child = data.getChildAtIndex(index)
            x, y, w, h = s.extents(child)
            check(child.name and w > 0 and h > 0, "table cell %d is empty: %r %dx%d" % (index, child.name, w, h))


# The properties of each AT-SPI interface, as assistive tools read them one by one or all at once.
PROPERTIES = {"Accessible": ["Name", "Description", "Parent", "ChildCount", "Locale"], "Action": ["NActions"],
              "Value": ["CurrentValue", "MinimumValue", "MaximumValue", "MinimumIncrement", "Text"],
              "Text": ["CharacterCount", "CaretOffset"], "Component": [], "Application": ["ToolkitName", "Version"],
              "Table": ["NRows", "NColumns", "Caption", "Summary", "NSelectedRows", "NSelectedColumns"]}


def check_properties(s):
    """Every property of every object asked for over the bus, alone and all at once: each request
    gets an answer (a value or an error), and the program lives on."""
    address = subprocess.run(["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
                              "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                             capture_output=True, text=True, check=True).stdout.strip()
    bus = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
        None, None)

    def call(name, path, interface, method, arguments):
        return bus.call_sync(name, path, interface, method, arguments, None, Gio.DBusCallFlags.NONE, 5000, None)

    names = call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "ListNames", None)[0]
    owner = [n for n in names if n.startswith(":") and call(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetConnectionUnixProcessID",
        GLib.Variant("(s)", (n,)))[0] == s.process.pid]
    check(len(owner) == 1, "the program's connection to the bus: %s" % owner)
    paths = ["/org/a11y/atspi/accessible/root"]
    s.walk(s.window("frame"), lambda node, _: paths.append(node.path))
    answered = 0
    for path in paths:
        for interface, properties in PROPERTIES.items():
            requests = [("GetAll", GLib.Variant("(s)", ("org.a11y.atspi." + interface,)))]
            requests += [("Get", GLib.Variant("(ss)", ("org.a11y.atspi." + interface, p))) for p in properties]
            for method, arguments in requests:
                try:
                    call(owner[0], path, "org.freedesktop.DBus.Properties", method, arguments)
                except GLib.Error as error:
                    # An error is an answer; no answer at all is not.
                    check("NoReply" not in error.message and "Timeout" not in error.message,
                          "%s %s %s: %s" % (path, method, interface, error.message))
                check(s.process.poll() is None, "the program ended after %s of %s on %s" % (method, interface, path))
                answered += 1
    # A request without its interface name is refused, not a reason to end.
    try:
        call(owner[0], paths[1], "org.freedesktop.DBus.Properties", "GetAll", None)
    except GLib.Error as error:
        check("InvalidArgs" in error.message, "GetAll without arguments: %s" % error.message)
    check(s.process.poll() is None, "the program ended after GetAll without arguments")
    check(answered > 100, "only %d requests were answered" % answered)


def check_tab_cycle(s, charts, slider):
    expected = ["slider", "push button", "text", "chart", "chart", "push button"]
    seen = []
    for _ in expected:
        s.key("Tab")
        node = s.focused_one()
        seen.append((node.getRoleName(), node.name))
    check([r for r, _ in seen] == expected, "the Tab cycle went %s" % seen)
    check(seen[-1][1] == s.words["exit"], "after the second chart Tab reaches %r" % (seen[-1],))
    # And back: Shift+Tab from Exit enters the capacitance chart, then the profile chart, and leaves it.
    back = []
    for _ in range(3):
        s.key("shift+Tab")
        node = s.focused_one()
        back.append((node.getRoleName(), node.name))
    check([r for r, _ in back] == ["chart", "chart", "text"], "Shift+Tab went %s" % back)
    # Each chart shows visible focus.
    for chart in charts:
        focus_chart(s, chart)
        s.pump(0.3)
        image = read_png(s.screenshot("chart_focus.png"))
        x, y, w, h = s.extents(chart)
        inner = pixel(image, x + 1, y + h // 2)
        deeper = pixel(image, x + 6, y + 2)
        check(contrast(inner, deeper) >= 3, "the focused chart %r shows no focus ring (%s against %s)" % (
            chart.name, inner, deeper))


def move_slider_to(s, slider, position):
    s.wait_for("the slider", lambda: True)
    for _ in range(8):
        if slider.getState().contains(pyatspi.STATE_FOCUSED):
            break
        s.key("Tab")
    s.key("Home" if position < 0 else "End", 1.0)


def check_slider(s, slider):
    for _ in range(8):
        if slider.getState().contains(pyatspi.STATE_FOCUSED):
            break
        s.key("Tab")
    check(slider.description.startswith(s.words["abrupt"]), "the slider reads %r" % slider.description)
    # Named by its own name: the captions over its track are its value's words, not its labels.
    related = []
    for relation in slider.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            related += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    check(not related, "the slider is labelled by %s" % related)
    check(slider.name == s.words["grading"], "the slider is named %r" % slider.name)
    attributes = dict(a.split(":", 1) for a in slider.getAttributes())
    check(attributes.get("valuetext") == s.words["abrupt"], "the slider's value text is %r" % attributes)
    value_text = Atspi.Value.get_text(slider)
    check(value_text == s.words["abrupt"], "the slider's value reads %r" % value_text)
    steps = [("Right", "between_up", 1), ("Home", "hyper", 1), ("End", "linear", 1), ("Home", "hyper", 1)]
    steps += [("Page_Down", None, 1)] * 6
    for key, words, changes in steps:
        s.events.clear()
        s.key(key, 0.3)
        # The sentence of what changed comes once the slider has rested for half a second.
        s.wait_for("the sentence after %s" % key,
                   lambda: s.take("object:property-change:accessible-description", "slider"), timeout=5)
        s.pump(0.8)
        values = s.take("object:value-changed", "slider")
        announcements = s.take("object:property-change:accessible-description", "slider")
        check(len(values) == changes, "%s on the slider gave %d value-changed events" % (key, len(values)))
        check(len(announcements) == changes, "%s on the slider gave %d announcements" % (key, len(announcements)))
        if words:
            check(slider.description.startswith(s.words[words]), "after %s the slider reads %r" % (
                key, slider.description))
    check(slider.description.startswith(s.words["between_down"]), "at -400 the slider reads %r" % slider.description)
    check(s.words["falls"] in slider.description, "the announcement %r tells no curve" % slider.description)
    # Back to the middle for the checks that follow.
    for _ in range(4):
        s.key("Page_Down", 0.5)


def check_table(s, profile_chart, capacitance_chart, position):
    capacitance, profile = read_csv(s.args.program, position, s.args.work)
    for chart, data, header in ((capacitance_chart, capacitance, s.words["capacitance_axes"]),
                                (profile_chart, profile, s.words["profile_axes"])):
        table = chart.queryTable()
        check(table.nRows == len(data) and table.nColumns == 2,
              "chart %r: %dx%d table, CSV has %d rows" % (chart.name, table.nRows, table.nColumns, len(data)))
        check((table.getColumnDescription(0), table.getColumnDescription(1)) == header,
              "chart %r: columns %r, %r" % (chart.name, table.getColumnDescription(0), table.getColumnDescription(1)))
        for row in sorted({0, 1, len(data) // 2, len(data) - 1}):
            for column in (0, 1):
                cell = table.getAccessibleAt(row, column)
                value = numbers(cell.name)
                check(value and close_enough(value[0], data[row][column], 0.001),
                      "chart %r cell %d,%d reads %r, CSV %r" % (chart.name, row, column, cell.name, data[row][column]))


def check_exploring(s, chart, position, screenshot=None):
    capacitance, _ = read_csv(s.args.program, position, s.args.work)
    focus_chart(s, chart)
    expected = [("Right", 0), ("Right", 1), ("Right", 2), ("End", len(capacitance) - 1),
                ("Page_Up", len(capacitance) - 1 - len(capacitance) // 10), ("Home", 0)]
    for key, row in expected:
        s.events.clear()
        s.key(key, 0.5)
        point = s.focused_one()
        check(point.getRoleName() == "image", "exploring, %s focused a %s %r" % (key, point.getRoleName(), point.name))
        u, c = numbers(point.name)[:2]
        check(close_enough(u, capacitance[row][0]) and close_enough(c, capacitance[row][1]),
              "exploring, %s named the point %r, CSV row %d is %r" % (key, point.name, row, capacitance[row]))
        check(re.search(r"\d" + re.escape(s.words["point"]) + r"\d", point.name),
              "the point %r is not written with the language's decimal separator" % point.name)
        # The link to the profile: the depletion width the point's voltage opens.
        check(re.search(r", w = \d+" + re.escape(s.words["point"]) + r"\d+ µm(,|$)", point.name),
              "the point %r does not name its depletion width" % point.name)
        focus_events = [e for e in s.take("object:state-changed:focused") if e[3] == 1]
        check(len(focus_events) == 1 and focus_events[0][2] == "image",
              "exploring, %s announced %s" % (key, focus_events))
    # A point in the middle of the curve, for the screenshot.
    s.key("Home", 0.3)
    for _ in range(3):
        s.key("Page_Down", 0.3)
    if screenshot:
        s.pump(0.5)
        path = s.screenshot("explored.png")
        x, y, w, h = s.extents(chart)
        window = subprocess.run(["xdotool", "getactivewindow", "getwindowgeometry", "--shell"],
                                capture_output=True, text=True, check=True).stdout
        width = int(re.search(r"WIDTH=(\d+)", window).group(1))
        frame_width = s.extents(s.window("frame"))[2]
        scale = max(1, round(width / frame_width))
        subprocess.run(["convert", path, "-crop", "%dx%d+%d+%d" % (w * scale, h * scale, x * scale, y * scale),
                        "+repage", os.path.join(s.args.artefacts, screenshot)], check=True)
        # The cross-hair stands where the point is drawn: its pixels differ from the white chart area
        # along the point's row.
        image = read_png(path)
        px, py, pw, ph = s.extents(s.focused_one())
        row = (py + ph // 2) * scale
        marked = sum(1 for cx in range(x * scale + 60 * scale, (x + w) * scale - 30 * scale)
                     if pixel(image, cx, row) != (255, 255, 255))
        check(marked > 20 * scale, "no cross-hair along the explored point's row (%d pixels)" % marked)
    s.key("Escape", 0.5)
    check(s.focused_one().getRoleName() == "chart", "Escape left the point but the focus is elsewhere")


def check_about_again_and_link(s):
    for _ in range(8):
        node = s.focused_one()
        if node.name == s.words["about"]:
            break
        s.key("Tab")
    s.key("space", 1.0)
    dialog = s.wait_for("the about box again", lambda: s.window("dialog"))
    s.wait_for("OK focused", lambda: s.focused_one().name == s.words["ok"])
    # Tab to the home-page link and open it: without a browser the program says so.
    for _ in range(4):
        s.key("Tab")
        if s.focused_one().getRoleName() == "link":
            break
    link = s.focused_one()
    check(link.getRoleName() == "link", "Tab did not reach a link")
    s.key("Return", 1.5)
    box = s.wait_for("the message for a link no program opened",
                     lambda: [w for w in s.windows() if w is not None and w.getRoleName() in ("alert", "dialog")
                              and w.name == s.words["about"] and w != dialog] or None)
    texts = []
    s.walk(box[0], lambda node, _: texts.append(node.name))
    check(any("https://www.example.org/" in t for t in texts), "the message shows no address: %s" % texts)
    s.key("Return", 1.0)
    s.key("Escape", 1.0)
    s.wait_for("the closed about box to leave the tree", lambda: len(s.windows()) == 1)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--artefacts", required=True)
    parser.add_argument("--language", default="english")
    parser.add_argument("--position", type=int, default=0)
    parser.add_argument("--scale", type=int, default=1)
    args = parser.parse_args()
    try:
        run(args)
    except Failure as failure:
        print("accessibility_bus.py (%s, position %d, scale %d): %s" % (
            args.language, args.position, args.scale, failure), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
