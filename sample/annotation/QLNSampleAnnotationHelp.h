// The help context of the annotation's own page, a topic of the report objects' help file.
#pragma once

enum QLNSampleAnnotationHelpContext : unsigned long
{
    QLN_HELP_ANNOTATION_TEXT_PAGE = 3001,
};
