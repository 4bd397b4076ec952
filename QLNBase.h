// QLNBase: everything a report object includes.
#pragma once
#include "QLNBaseLibrary.h"
#include "QLNAddComponent.h"
#include "QLNOpenHtmlHelp.h"
#include "QLNHelpIds.h"
#include "QLTxtTokenID.h"
#include "QLNStringTokenizer.h"
#include "QLNDefaultText.h"
#include "QLNConvertStringToDouble.h"
#include "QLNFontConversion.h"
#include "QLNMetaFileDC.h"
#include "QLNEnhMetaFilePng.h"
#include "QLNMultiLineCenteredStatic.h"
