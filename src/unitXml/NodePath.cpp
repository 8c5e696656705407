#include "unitXml/NodePath.h"

std::string NormalizeNodePath(std::string_view path) {
  std::string normal;
  normal.reserve(path.size());
  for (std::size_t i = 0; i < path.size(); ++i) {
    normal += path[i];
    if (path[i] == '/' && i + 1 < path.size() && path[i + 1] == '/') ++i;
  }
  if (!normal.empty() && normal.front() == '/') normal.erase(0, 1);
  if (!normal.empty() && normal.back() == '/') normal.pop_back();
  return normal;
}

std::vector<std::string_view> NodePathSegments(std::string_view path) {
  std::vector<std::string_view> segments;
  if (path.empty()) return segments;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = path.find('/', start);
    if (slash == std::string_view::npos) break;
    segments.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  segments.push_back(path.substr(start));
  return segments;
}
