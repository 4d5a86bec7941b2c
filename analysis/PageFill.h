// Filling the result pages: the all-lines page from the record table, a
// crawler page from the entries of its token. The main dialog's view handlers
// call these once a file is loaded; each fill starts from an emptied list, so
// the rows and colours shown are always those of the current load.
#pragma once

#include "analysis/LogEntry.h"
#include "analysis/LogLoad.h"
#include "analysis/PageFillRows.h"
#include "controls/ListCtrlCl.h"
#include "platform/base/CString.h"

#include <vector>

// Deletes every row of a page's list and forgets its cell colours.
void EmptyPage(CListCtrlCl& list);

// Empties the all-lines page, then shows records 1 to nRecords: the row at
// index i is numbered i + 1 and holds the text of record i + 1. The rows are
// read from load while the page shows them. FALSE when memory ran out (the
// page is empty then).
BOOL FillAllLinesPage(CListCtrlCl& list, const LogLoad& load);

// A whole crawler view: empties the page and shows the records holding token,
// each cut into its fields when the list asks for it. FALSE when memory ran
// out (the page is empty then).
BOOL FillCrawlerPage(CListCtrlCl& list, const LogLoad& load, CString token);
