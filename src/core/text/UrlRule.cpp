#include "core/text/UrlRule.h"

bool IsBrowsableUrl(const QByteArray& text) {
    return text.startsWith("http") || text.startsWith("www");
}
