// The quiz as a SCORM 1.2 content package, the form school platforms
// (Moodle and its kin) take an activity in: one SCO, the quiz's web page,
// described by imsmanifest.xml at the archive's root.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The page's name inside the package, which the manifest launches.
inline constexpr const char* ScormPageName = "index.html";

// The manifest (IMS content packaging 1.1.2, ADL SCORM 1.2 metadata) of a
// package whose one item and SCO is the page. `title` is UTF-8; an empty
// one becomes "Quiz". `identifier` tells packages apart ([A-Za-z0-9-]).
std::string scormManifest(const std::string& title, const std::string& identifier);

// The zip: imsmanifest.xml, then the page as index.html; empty when it
// would not fit in a zip without zip64.
std::vector<uint8_t> scormPackageOf(const std::string& title, const std::string& identifier, const std::string& page);
