#pragma once

#include <QStringView>

// The maker's marks the program shows: in the hints, the help window's caption, the history file and the
// version resource.
namespace parlanza::marks {

inline constexpr QStringView kMaker = u"VelarMundo";
inline constexpr QStringView kInitials = u"VM";
inline constexpr QStringView kWebAddress = u"www.velarmundo.example";

} // namespace parlanza::marks
