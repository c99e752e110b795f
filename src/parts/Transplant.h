#pragma once

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <map>
#include <set>
#include <vector>

namespace corvanta {

// Carries what one input holds into the joined file, where pdftk copied the
// input's pages already, and with them what the pages draw and carry. Those
// copies stand for their originals: a reference to a page, a layer or an
// annotation of the input lands on its copy, and nothing is copied twice.
class Transplant
{
public:
    // `resultPages` are the joined file's pages that stand for
    // `inputPages`, one for one.
    Transplant(QPDF &result, QPDF &input, std::vector<QPDFObjectHandle> inputPages,
               std::vector<QPDFObjectHandle> resultPages);

    QPDF &result() { return m_result; }
    QPDF &input() { return m_input; }
    std::vector<QPDFObjectHandle> &inputPages() { return m_inputPages; }
    std::vector<QPDFObjectHandle> &resultPages() { return m_resultPages; }

    // Finds the copies of what the input's pages hold (resources, layers,
    // annotations, form fields) by walking each page and its copy side by
    // side. Done once, on the first call.
    void matchPageContents();

    // The copy of an input object that pdftk made (null when none), and
    // the index of an input page (-1 for anything else).
    QPDFObjectHandle counterpart(QPDFObjectHandle inputObject) const;
    // Makes `resultObject` stand for `inputObject` wherever a copy meets it.
    void map(QPDFObjectHandle inputObject, QPDFObjectHandle resultObject);
    int pageIndex(QPDFObjectHandle inputObject) const;

    // `object` made for the joined file: direct values copied, indirect
    // objects copied once, pages and the objects pdftk copied given as
    // their copies. A page not among the input's pages, or anything nested
    // too deeply, becomes null, and missedSomething() then says so.
    QPDFObjectHandle copy(QPDFObjectHandle object);
    bool missedSomething() const { return m_missed; }

private:
    void walk(QPDFObjectHandle input, QPDFObjectHandle result, int depth);
    QPDFObjectHandle copyAt(QPDFObjectHandle object, int depth);
    QPDFObjectHandle copyDirect(QPDFObjectHandle object, int depth);

    QPDF &m_result;
    QPDF &m_input;
    std::vector<QPDFObjectHandle> m_inputPages;
    std::vector<QPDFObjectHandle> m_resultPages;
    std::map<QPDFObjGen, int> m_pageIndex;
    std::map<QPDFObjGen, QPDFObjectHandle> m_copies; // pdftk's or ours
    std::set<QPDFObjGen> m_walked;
    bool m_matched = false;
    bool m_missed = false;
};

} // namespace corvanta
