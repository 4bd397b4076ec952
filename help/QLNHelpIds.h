// Help contexts of the library's own pages and dialogs: the topic numbers compiled into the
// report objects' help file, handed to OpenHtmlHelp. They are fixed by the help file, not by us.
#pragma once

enum QLNHelpContext : unsigned long
{
    QLN_HELP_FONT_DIALOG = 1061,             // CQLNFontDialog
    QLN_HELP_TEXT_FONT_PAGE = 1063,          // CQLNTextFontPropPage
    QLN_HELP_ANNOTATION_FONT_PAGE = 1064,    // CQLNAnnotationFontPropPage
    QLN_HELP_TABLE_FONT_PAGE = 1065,         // CQLNTableFontPropPage
    QLN_HELP_LAYOUT_ATTRIBUTE_PAGE = 2100,
    QLN_HELP_DATA_SELECTION_PAGE = 2101,
    QLN_HELP_TEXT_OBJECT_FONT_PAGE = 2122,
};
