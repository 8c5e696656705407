#pragma once

// The slash-separated element paths of pathNode: "a/b/c" walks from the current node to its
// child a, a's child b and b's child c.

#include <string>
#include <string_view>
#include <vector>

// The path as it is walked: each "//" becomes "/" in one left-to-right pass (so "a///b"
// leaves "a//b"), then one leading and one trailing "/" go.
std::string NormalizeNodePath(std::string_view path);

// The segments of a normalized path, in order: none for the empty path, else the texts
// between the "/" (empty ones included), however long the path is.
std::vector<std::string_view> NodePathSegments(std::string_view path);
