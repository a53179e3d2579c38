#include "window/form_design.h"

namespace window {

std::string ValueCaption(BarKind kind, power::ScrollPosition position)
{
    switch (kind) {
    case BarKind::Sphere:
        return power::DioptreCaption(power::SphereFromPosition(position));
    case BarKind::Cylinder:
        return power::DioptreCaption(power::CylinderFromPosition(position));
    case BarKind::Axis:
        return power::AxisCaption(power::AxisFromPosition(position));
    }
    return {};
}

}  // namespace window
