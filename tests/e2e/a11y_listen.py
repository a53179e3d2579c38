"""What assistive technology finds in the running window, through AT-SPI.

Prints one line for each scroll bar (its name, then value, minimum,
maximum and step as a reader gets them), then presses 「計 算」 through
its action and prints each notification that showed within five seconds,
as "shown: NAME|on screen" when a label of the window shows the same
text. Run with Debian's python3, which has pyatspi, on the session bus
the window uses.
"""
import sys

import pyatspi
from gi.repository import GLib


def find_application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for application in desktop:
        if application is not None and application.name == name:
            return application
    return None


def walk(accessible):
    yield accessible
    for child in accessible:
        if child is not None:
            yield from walk(child)


def main():
    application = find_application("pelmaro")
    if application is None:
        print("no application named pelmaro on the accessibility bus")
        return 1
    objects = list(walk(application))
    for bar in (o for o in objects if o.getRole() == pyatspi.ROLE_SCROLL_BAR):
        value = bar.queryValue()
        print("bar: %s|%g|%g|%g|%g" % (bar.name, value.currentValue, value.minimumValue,
                                        value.maximumValue, value.minimumIncrement))

    shown = []

    def on_showing(event):
        if event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            shown.append(event.source.name)

    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
    calculate = next(o for o in objects if o.getRole() == pyatspi.ROLE_PUSH_BUTTON and o.name == "計 算")
    calculate.queryAction().doAction(0)
    loop = GLib.MainLoop()

    def heard():
        if shown:
            loop.quit()
        return not shown

    GLib.timeout_add(50, heard)
    GLib.timeout_add(5000, loop.quit)
    loop.run()
    for name in shown:
        labels = [o for o in walk(application) if o.getRole() == pyatspi.ROLE_LABEL and o.name == name]
        print("shown: %s|%s" % (name, "on screen" if labels else "on no label"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
