// The resources a built quiz program carries, shared by the player that
// reads them and the builder that writes them.
#pragma once

inline constexpr const char* PayloadResourceType = "PATCH";
constexpr int QuizPayloadResourceId = 104;   // the packed quiz
constexpr int CodesPayloadResourceId = 105;  // the packed reward codes
constexpr int QuizLinkResourceId = 106;      // the quiz's link, its Windows-1252 bytes; none without a link

inline constexpr const char* MediaResourceType = "IMG";
constexpr int MediaResourceIdBase = 400;           // "IMG" 400 + i: the entry's media
constexpr int AnswerPictureResourceIdBase = 10400; // "IMG" 10400 + i: the answer picture
