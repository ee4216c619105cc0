#pragma once
// What screen readers learn of the styled controls that Qt does not know:
// a rich-text label is static text named by its text, a group frame a
// grouping named by its caption. Installed once, before the window is
// built.

namespace velars {

void InstallAccessibility();

}  // namespace velars
