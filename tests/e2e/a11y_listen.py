"""What assistive technology finds in the running window, through AT-SPI.

Prints one line for each scroll bar (its name, then value, minimum,
maximum and step as a reader gets them), then presses 「計 算」 through
its action, and 「リセット」 once that has been heard, and prints each
notification that showed until 「リセット」's, whose text is the argument
(or for five seconds), as "shown: NAME|on screen" when a label of the
window showed the same text then. "press NAME" presses that button alone,
as a reader does whatever window holds the input. Run with Debian's
python3, which has pyatspi, on the session bus the window uses.
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
    button = lambda name: next(o for o in objects if o.getRole() == pyatspi.ROLE_PUSH_BUTTON and o.name == name)
    if sys.argv[1] == "press":
        button(sys.argv[2]).queryAction().doAction(0)
        return 0
    for bar in (o for o in objects if o.getRole() == pyatspi.ROLE_SCROLL_BAR):
        value = bar.queryValue()
        print("bar: %s|%g|%g|%g|%g" % (bar.name, value.currentValue, value.minimumValue,
                                        value.maximumValue, value.minimumIncrement))

    shown = []
    loop = GLib.MainLoop()

    # A second notification of the result would come before 「リセット」's.
    def on_showing(event):
        if event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            name = event.source.name
            labels = [o for o in walk(application) if o.getRole() == pyatspi.ROLE_LABEL and o.name == name]
            shown.append("shown: %s|%s" % (name, "on screen" if labels else "on no label"))
            if len(shown) == 1:
                button("リセット").queryAction().doAction(0)
            if name == sys.argv[2]:
                loop.quit()

    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
    button("計 算").queryAction().doAction(0)
    GLib.timeout_add(5000, loop.quit)
    loop.run()
    print("\n".join(shown))
    return 0


if __name__ == "__main__":
    sys.exit(main())
