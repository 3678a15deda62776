#!/usr/bin/python3
"""A blind player's game, through the AT-SPI bus only (as a screen reader sees it).

Runs beside the game that screenreader_e2e.sh started over three-questions.asc: finds the intro
window, skips it with a double-click, reads question 1 and its answers, presses a wrong answer
with the button's own action, hears question 2 (with the right answer of question 1) announced
on Close, which keeps the focus, presses Esc and hears the warning as an alert. Prints one line
per check and exits with 1 when any failed.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

QUIZ = "The Quorvel Challenge (version 1.0)"
INTRO = "Quorvel Intro"
QUESTION_1 = "Which colour is Delvo's scooter?"
QUESTION_2 = "How many Quorvels are there?"
WARNING = ("Hey, you still have 2 questions left!  The next time you play, it will pick up where "
           "you left off.\n\nThus far you have answered 0 correctly and  1 incorrectly.")

events = []  # (type, source path, detail1, source) of every event heard
failed = 0


def heard(event):
    events.append((event.type, event.source.path, event.detail1, event.source))


def check(name, condition):
    global failed
    print(("ok: " if condition else "FAILED: ") + name, flush=True)
    failed += 0 if condition else 1


def wait_for(find, timeout):
    """Lets events arrive until find() returns something (or the generous timeout has passed)."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + timeout
    while True:
        while context.pending():
            context.iteration(False)
        found = find()
        if found or time.monotonic() > deadline:
            return found
        time.sleep(0.05)


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def descendants(obj):
    for child in obj:
        if child is not None:
            yield child
            yield from descendants(child)


def game():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "quorvel-challenge":
            return app
    return None


def window(name):
    app = game()
    for child in app or []:
        if child is not None and child.name == name and showing(child):
            return child
    return None


def shown(win, role):
    return [o for o in descendants(win) if o.getRole() == role and showing(o)]


def names(objects):
    return [o.name for o in objects]


def answer_buttons(win):
    return [b for b in shown(win, pyatspi.ROLE_PUSH_BUTTON) if b.name not in ("Close", "Replay")]


def close_button(win):
    return next(b for b in shown(win, pyatspi.ROLE_PUSH_BUTTON) if b.name == "Close")


def keeps_a_stale_name(obj):
    """A hidden label, or a hidden answer button, that still has a name (Replay's is its own)."""
    if showing(obj) or not obj.name:
        return False
    role = obj.getRole()
    return role in (pyatspi.ROLE_LABEL, pyatspi.ROLE_ALERT) or (
        role == pyatspi.ROLE_PUSH_BUTTON and obj.name != "Replay")


def press(accessible):
    action = accessible.queryAction()
    names_ = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names_.index("Press"))


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=False, timeout=10)


pyatspi.Registry.registerEventListener(
    heard, "object:property-change:accessible-description", "object:property-change:accessible-name",
    "object:state-changed:showing", "focus:")

# --- the intro window, then a skip ---------------------------------------------------------------
intro = wait_for(lambda: window(INTRO), 30)
check("the intro window is on the bus", intro is not None)
check("the intro window is a frame", intro is not None and intro.getRole() == pyatspi.ROLE_FRAME)
quiz = None
for _ in range(3):  # a double-click during the intro's first frames may come too early
    xdotool("mousemove", "512", "700", "click", "--repeat", "2", "--delay", "40", "1")
    quiz = wait_for(lambda: window(QUIZ), 10)
    if quiz:
        break
check("the quiz window is on the bus", quiz is not None)
if quiz is None:
    sys.exit(1)
check("the quiz window is a frame", quiz.getRole() == pyatspi.ROLE_FRAME)

# --- question 1 ------------------------------------------------------------------------------------
close = wait_for(lambda: next((b for b in shown(quiz, pyatspi.ROLE_PUSH_BUTTON)
                               if b.name == "Close" and b.description), None), 20)
check("Close is focused and describes question 1",
      close is not None and close.getState().contains(pyatspi.STATE_FOCUSED)
      and close.description == "1. " + QUESTION_1)
labels = names(shown(quiz, pyatspi.ROLE_LABEL))
check("question 1 and its number are showing labels", QUESTION_1 in labels and "1." in labels)
answers = answer_buttons(quiz)
check("four answer buttons named by their answers",
      names(answers) == ["Teal", "Orange", "Mauve", "Grey"])
check("Delvo's picture is named by his face",
      names(shown(quiz, pyatspi.ROLE_IMAGE)) == ["Delvo, neutral"])

# --- a wrong answer: the right one and question 2 are announced on Close ----------------------------
events.clear()
press(answers[1])
close = wait_for(lambda: next((b for b in shown(quiz, pyatspi.ROLE_PUSH_BUTTON)
                               if b.name == "Close" and QUESTION_2 in b.description), None), 20)
check("Close announces the right answer and question 2",
      close is not None and close.description == "Wrong. The right answer was Teal. 2. " + QUESTION_2)
said = [path for kind, path, _, _ in events if kind == "object:property-change:accessible-description"]
check("the announcement came as description changes of Close", close is not None and close.path in said)
check("the right answer was described during the judging", answers[0].path in said)
renamed = [source for kind, _, _, source in events if kind == "object:property-change:accessible-name"]
check("Delvo's picture was renamed as his face changed",
      any(source.getRole() == pyatspi.ROLE_IMAGE for source in renamed))
check("the focus stays on Close", close is not None and close.getState().contains(pyatspi.STATE_FOCUSED))
labels = names(shown(quiz, pyatspi.ROLE_LABEL))
check("question 2 and its number are showing labels", QUESTION_2 in labels and "2." in labels)
check("the answer buttons are renamed", names(answer_buttons(quiz)) == ["Three", "Four", "Five", "Six"])
check("the descriptions of question 1's answers are gone",
      all(not b.description for b in answer_buttons(quiz)))

# --- Esc: the warning is an alert ------------------------------------------------------------------
question = next(o for o in shown(quiz, pyatspi.ROLE_LABEL) if o.name == QUESTION_2)
events.clear()
xdotool("search", "--onlyvisible", "--name", "^The Quorvel Challenge", "windowfocus", "--sync",
        "key", "Escape")
alert = wait_for(lambda: next((source for kind, _, shows, source in events
                               if kind.startswith("object:state-changed:showing") and shows == 1
                               and source.getRole() == pyatspi.ROLE_ALERT), None), 10)
check("the warning appears as an alert", alert is not None)
check("the alert says the warning", alert is not None and alert.name == WARNING)
check("the emptied question stops showing",
      any(kind.startswith("object:state-changed:showing") and shows == 0 and path == question.path
          for kind, path, shows, _ in events) and not showing(question))
close = close_button(quiz)
check("Close keeps the focus and describes the warning",
      close.getState().contains(pyatspi.STATE_FOCUSED) and close.description == WARNING)

# --- what a screen reader finds on the warning screen ----------------------------------------------
everything = [quiz] + list(descendants(quiz))
unnamed = [o.getRoleName() for o in everything if showing(o) and not o.name]
check("no showing object without a name (%s)" % ", ".join(unnamed), not unnamed)
stale = [f"{o.getRoleName()} {o.name!r}" for o in everything if keeps_a_stale_name(o)]
check("hidden labels and answer buttons keep no names (%s)" % ", ".join(stale), not stale)

print(f"{failed} failed")
sys.exit(1 if failed else 0)
