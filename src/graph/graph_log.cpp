#include "graph/graph_log.h"

// Debug lines only when asked for (QT_LOGGING_RULES), as the benchmark does.
Q_LOGGING_CATEGORY(lcGraph, "chronolien.graph", QtInfoMsg)
