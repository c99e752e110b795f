#pragma once

// The maker's web site and support address, in one place. The host is a
// reserved example domain until the product has a site of its own.
namespace corvanta::site {

inline constexpr char kSiteName[] = "Quillmoor.example";
inline constexpr char kHomePage[] = "https://quillmoor.example/";
inline constexpr char kFaqPage[] = "https://quillmoor.example/question/";
inline constexpr char kContactPage[] = "https://quillmoor.example/contact/";
inline constexpr char kSupportEmail[] = "support@quillmoor.example";

} // namespace corvanta::site
