#pragma once

#include "sources/CitationElement.h"

#include <span>

// The element list of a style (CitationStyle, 0 to 13) for a source type (SourceType, 1 to
// 7), in writing order with the marks at the end; empty outside those ranges.
std::span<const CitationElement> CitationStyleElements(int style, int type);
