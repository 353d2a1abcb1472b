#include "tools/builder/output/scorm_package.h"

#include "tools/builder/output/page_escaping.h"
#include "tools/builder/output/stored_zip.h"

#include <span>

namespace {

// XML 1.0 has no form for the control characters but tab and line ends;
// a title shows them as spaces.
std::string xmlText(const std::string& text)
{
    std::string shown = text;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    return htmlEscaped(shown);
}

std::span<const uint8_t> bytesOf(const std::string& text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

std::string scormManifest(const std::string& title, const std::string& identifier)
{
    std::string shown = xmlText(title.empty() ? "Quiz" : title);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<manifest identifier=\"quizz-" + identifier + "\" version=\"1.0\"\n"
           "    xmlns=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2\"\n"
           "    xmlns:adlcp=\"http://www.adlnet.org/xsd/adlcp_rootv1p2\"\n"
           "    xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
           "    xsi:schemaLocation=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2 imscp_rootv1p1p2.xsd"
           " http://www.imsglobal.org/xsd/imsmd_rootv1p2p1 imsmd_rootv1p2p1.xsd"
           " http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd\">\n"
           "  <metadata>\n"
           "    <schema>ADL SCORM</schema>\n"
           "    <schemaversion>1.2</schemaversion>\n"
           "  </metadata>\n"
           "  <organizations default=\"quizz-organization\">\n"
           "    <organization identifier=\"quizz-organization\">\n"
           "      <title>" + shown + "</title>\n"
           "      <item identifier=\"quizz-item\" identifierref=\"quizz-page\" isvisible=\"true\">\n"
           "        <title>" + shown + "</title>\n"
           "      </item>\n"
           "    </organization>\n"
           "  </organizations>\n"
           "  <resources>\n"
           "    <resource identifier=\"quizz-page\" type=\"webcontent\" adlcp:scormtype=\"sco\" href=\""
           + std::string(ScormPageName) + "\">\n"
           "      <file href=\"" + std::string(ScormPageName) + "\"/>\n"
           "    </resource>\n"
           "  </resources>\n"
           "</manifest>\n";
}

std::vector<uint8_t> scormPackageOf(const std::string& title, const std::string& identifier, const std::string& page)
{
    std::string manifest = scormManifest(title, identifier);
    return storedZipOf({{"imsmanifest.xml", bytesOf(manifest)}, {ScormPageName, bytesOf(page)}});
}
