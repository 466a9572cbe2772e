#pragma once
// The fixed text of the About window, lines separated by CR LF.

#include <string_view>

namespace lekhora {

inline constexpr std::u16string_view kAboutCaption = u"Lekhora by Vimra's Dravik";

inline constexpr std::u16string_view kAboutText =
    u"Lekhora is a small effort to help everyone who wants to write in the Devanagari script.\r\n"
    u"\r\n"
    u"What you can do\r\n"
    u"Change the layout of the on-screen keyboard by clicking the layout label. The layouts "
    u"are:\r\n"
    u"Remington\r\n"
    u"Phonetic (Vimra) - the default\r\n"
    u"Phonetic\r\n"
    u"Inscript\r\n"
    u"Would you like another layout? Write to us and tell us which.\r\n"
    u"\r\n"
    u"Words Suggestions\r\n"
    u"Press Shift and Space together (or Shift and the Right arrow key) to fill in the "
    u"suggested word.\r\n"
    u"Press Shift with the Down or the Up arrow key to scroll through the suggestions.\r\n"
    u"\r\n"
    u"Right Toolbar\r\n"
    u"1 Copy ALL text\r\n"
    u"2 Paste clipboard text\r\n"
    u"3 Select ALL text\r\n"
    u"\r\n"
    u"Look for the latest version where you found this one.\r\n"
    u"With our best wishes,\r\n"
    u"Vimra's Dravik - every script at your fingertips\r\n"
    u"We also make typing tools and fonts for other Indian languages on request.";

}  // namespace lekhora
