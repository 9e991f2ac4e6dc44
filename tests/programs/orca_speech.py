"""Runs the simulation under Orca and checks what Orca says, key by key, from its debug log's
"SPEECH OUTPUT" lines. Run by orca_speech_test.sh; exits 77 when Orca does not start, 1 with the
reason on the first check that fails, and writes everything Orca said to the artefacts."""
import argparse
import os
import re
import shutil
import subprocess
import sys
import threading
import time
import tty

# "SPEECH OUTPUT: 'Exit push button.'{'established': False}": the words between the quotes.
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)' ?(?:\{'established.*)?$", re.MULTILINE)

# What each step must make Orca say, in the window's language. Each entry: a name, the keys, the
# texts that must all be heard after them, and texts that must not be.
STEPS = {
    "english": [
        ("about box closed", ["Return"], ["Varactor Diode frame"], []),
        ("Tab to the slider", ["Tab"], ["Grading of the doping profile slider abrupt, 0"], ["hyperabrupt slider"]),
        ("Tab to About", ["Tab"], ["About push button"], []),
        ("Tab to the information", ["Tab"], ["Information about the simulation text"], []),
        ("Tab to the profile", ["Tab"], ["Impurity Concentration Profile chart", "depth in micrometres from 0 to 3.00",
                                         "N D, times 10 to the 16 per cubic centimetre",
                                         "arrow keys move from point to point, T for the table, H for help"], []),
        ("Tab to the capacitance", ["Tab"], ["Capacitance of Varactor Diode chart", "voltage in volts from 0 to 10.0",
                                             "capacitance in picofarads"], []),
        ("Tab round to Exit", ["Tab"], ["Exit push button"], []),
        ("Tab to the slider again", ["Tab"], ["Grading of the doping profile slider"], []),
        ("three slider steps", ["Right", "Right", "Left"],
         ["between abrupt and linear, 1", "between abrupt and linear, 2",
          "capacitance now falls more gently, from 8.09 to 2.21 picofarads; doping rises with depth"], []),
        ("slider to hyperabrupt", ["Home"],
         ["hyperabrupt, -1000", "capacitance now falls more steeply, from 50.1 to 3.74 picofarads; "
                                "doping falls with depth"], []),
        ("Tab to the capacitance chart", ["Tab", "Tab", "Tab", "Tab"], ["Capacitance of Varactor Diode chart"], []),
        ("first point", ["Right"], ["voltage 0.100 volts, capacitance 50.1 picofarads, w = 0.0523 µm, point 1 of 100"], []),
        ("last point", ["End"], ["voltage 10.0 volts, capacitance 3.74 picofarads, w = ", " µm, last point"], []),
        ("past the last point", ["Right"], ["last point"], []),
        ("back to the first", ["Home"], ["voltage 0.100 volts, capacitance 50.1 picofarads, w = 0.0523 µm, first point"], []),
        ("where", ["i"], ["point 1 of 100"], []),
        ("one curve", ["Up"], ["only one curve"], []),
        ("help", ["h"], ["Left and Right: previous and next point."], []),
        ("copy", ["ctrl+c"], ["copied 100 rows"], []),
        ("play", ["s"], ["playing"], []),
        ("table", ["t"], ["Capacitance of Varactor Diode, data", "table with 100 rows 2 columns", "0.1", "50.07"], []),
        ("table row", ["Down"], ["0.2", "44.5"], []),
        ("table, x column", ["Left"], ["voltage in volts column header", "0.2"], []),
        ("in a table", ["Insert+F11"], ["Speak cell"], ["Not in a table"]),
        ("table end", ["End"], ["10"], []),
        ("back to the curve", ["t"], ["voltage 10.0 volts, capacitance 3.74 picofarads, w = ", " µm, last point"], []),
        ("context menu", ["shift+F10"], ["Copy data as text"], []),
    ],
    "german": [
        ("about box closed", ["Return"], ["Kapazitätsdiode frame"], []),
        ("Tab to the slider", ["Tab"], ["Gradierung des Dotierungsprofils slider abrupt, 0"], ["hyperabrupt slider"]),
        ("Tab to About", ["Tab"], ["Info push button"], []),
        ("Tab to the information", ["Tab"], ["Informationen zur Simulation text"], []),
        ("Tab to the profile", ["Tab"], ["Dotierungsprofil chart", "Tiefe in Mikrometern von 0 bis 3,00",
                                         "N D, mal 10 hoch 16 pro Kubikzentimeter",
                                         "Pfeiltasten gehen von Punkt zu Punkt, T für die Tabelle, H für Hilfe"], []),
        ("Tab to the capacitance", ["Tab"], ["Kapazität der Kapazitätsdiode chart", "Spannung in Volt von 0 bis 10,0",
                                             "Kapazität in Pikofarad"], []),
        ("Tab round to Exit", ["Tab"], ["Beenden push button"], []),
        ("Tab to the slider again", ["Tab"], ["Gradierung des Dotierungsprofils slider"], []),
        ("three slider steps", ["Right", "Right", "Left"],
         ["zwischen abrupt und linear, 1", "zwischen abrupt und linear, 2",
          "die Kapazität fällt jetzt flacher, von 8,09 auf 2,21 Pikofarad; die Dotierung steigt mit der Tiefe"], []),
        ("slider to hyperabrupt", ["Home"],
         ["hyperabrupt, -1000", "die Kapazität fällt jetzt steiler, von 50,1 auf 3,74 Pikofarad; "
                                "die Dotierung fällt mit der Tiefe"], []),
        ("Tab to the capacitance chart", ["Tab", "Tab", "Tab", "Tab"], ["Spannung in Volt von 0 bis 10,0"], []),
        ("first point", ["Right"], ["Spannung 0,100 Volt, Kapazität 50,1 Pikofarad, w = 0,0523 µm, Punkt 1 von 100"], []),
        ("last point", ["End"], ["Spannung 10,0 Volt, Kapazität 3,74 Pikofarad, w = ", " µm, letzter Punkt"], []),
        ("past the last point", ["Right"], ["letzter Punkt"], []),
        ("back to the first", ["Home"], ["Spannung 0,100 Volt, Kapazität 50,1 Pikofarad, w = 0,0523 µm, erster Punkt"], []),
        ("where", ["i"], ["Punkt 1 von 100"], []),
        ("one curve", ["Up"], ["nur eine Kurve"], []),
        ("help", ["h"], ["Links und Rechts: voriger und nächster Punkt."], []),
        ("copy", ["ctrl+c"], ["100 Zeilen kopiert"], []),
        ("play", ["s"], ["wird abgespielt"], []),
        ("table", ["t"], [", Daten", "table with 100 rows 2 columns", "0,1", "50,07"], []),
        ("table row", ["Down"], ["0,2", "44,5"], []),
        ("table, x column", ["Left"], ["Spannung in Volt column header", "0,2"], []),
        ("in a table", ["Insert+F11"], ["Speak cell"], ["Not in a table"]),
        ("table end", ["End"], ["10"], []),
        ("back to the curve", ["t"], ["Spannung 10,0 Volt, Kapazität 3,74 Pikofarad, w = ", " µm, letzter Punkt"], []),
        ("context menu", ["shift+F10"], ["Daten als Text kopieren"], []),
    ],
}

# Orca is given this long to say what a step must make it say.
STEP_SECONDS = 6
# Orca's own start: the settings, the speech server and the first window.
START_SECONDS = 40


class Failure(Exception):
    pass


class Listener:
    """Hears what Orca says from its debug log, line by line as Orca writes it. The log goes to a
    terminal of ours: Orca writes to a terminal at each line, to a file only when its buffer is
    full, long after the words were said."""

    def __init__(self, path):
        self.master, slave = os.openpty()
        tty.setraw(slave)
        self.terminal = os.ttyname(slave)
        self.slave = slave
        self.copy = open(path, "wb")
        self.lines = []
        self.lock = threading.Lock()
        self.heard = []
        self.taken = 0
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        pending = b""
        while True:
            try:
                data = os.read(self.master, 65536)
            except OSError:
                return
            if not data:
                return
            self.copy.write(data)
            pending += data
            *whole, pending = pending.split(b"\n")
            with self.lock:
                self.lines += [line.decode("utf-8", "replace") for line in whole]

    def poll(self):
        with self.lock:
            lines, self.lines = self.lines, []
        new = [m.group(1) for line in lines for m in [SPEECH.search(line)] if m]
        self.heard += new
        return new

    def wait_for(self, texts, seconds):
        """Everything heard until all texts were heard (or the time is up), as one list."""
        heard = []
        end = time.time() + seconds
        while time.time() < end:
            heard += self.poll()
            spoken = " | ".join(heard)
            if all(text in spoken for text in texts):
                # What comes right after belongs to the step as well.
                time.sleep(0.4)
                heard += self.poll()
                return heard
            time.sleep(0.1)
        return heard

    def close(self):
        self.copy.close()


def run(args):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANGUAGE="", LC_ALL="", LANG="C.UTF-8")
    log_path = os.path.join(args.work, "orca_%s.log" % args.language)
    transcript = open(os.path.join(args.artefacts, "orca_%s.txt" % args.language), "w")
    program = subprocess.Popen([args.program, "--language", args.language], env=env,
                               stdout=open(os.path.join(args.work, "program.log"), "w"), stderr=subprocess.STDOUT)
    orca = None
    listener = None
    try:
        time.sleep(1.5)
        listener = Listener(log_path)
        orca = subprocess.Popen(["orca", "--replace", "--debug-file=" + listener.terminal], env=env,
                                stdout=open(os.path.join(args.work, "orca.out"), "w"), stderr=subprocess.STDOUT)
        # Orca is up once it has read the about box that the program opens at start.
        started = listener.wait_for(["OK push button"], START_SECONDS)
        if not any("OK push button" in text for text in started):
            return 77
        transcript.write("[start] " + " | ".join(started) + "\n")
        for name, keys, expected, unwanted in STEPS[args.language]:
            for key in keys:
                subprocess.run(["xdotool", "key", key], check=True)
                # Keys of one step come quicker than the slider's rest: one sentence, not three.
                time.sleep(0.15)
            heard = listener.wait_for(expected, STEP_SECONDS)
            spoken = " | ".join(heard)
            transcript.write("[%s: %s] %s\n" % (name, " ".join(keys), spoken))
            transcript.flush()
            missing = [text for text in expected if text not in spoken]
            if missing:
                raise Failure("%s (%s): Orca did not say %r; it said %r" % (name, " ".join(keys), missing, heard))
            found = [text for text in unwanted if text in spoken]
            if found:
                raise Failure("%s (%s): Orca said %r: %r" % (name, " ".join(keys), found, heard))
            if program.poll() is not None:
                raise Failure("%s: the program ended with %s" % (name, program.returncode))
        sentences = [text for text in listener.heard if "abrupt und linear" in text or "abrupt and linear" in text]
        if len(sentences) < 2:
            raise Failure("the slider's steps were not all spoken: %r" % sentences)
        rested = [text for text in listener.heard if "now falls" in text or "fällt jetzt" in text]
        if len(rested) != 2:
            raise Failure("one sentence per rest of the slider expected, two rests gave %r" % rested)
        return 0
    finally:
        for process in (orca, program):
            if process is not None and process.poll() is None:
                process.kill()
                process.wait()
        if listener is not None:
            listener.close()
        transcript.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--artefacts", required=True)
    parser.add_argument("--language", default="english")
    args = parser.parse_args()
    try:
        return run(args)
    except Failure as failure:
        print("orca_speech.py (%s): %s" % (args.language, failure), file=sys.stderr)
        # Orca's own log tells why: what it received and how it decided what to say.
        shutil.copy(os.path.join(args.work, "orca_%s.log" % args.language), args.artefacts)
        return 1


if __name__ == "__main__":
    sys.exit(main())
