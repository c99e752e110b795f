// The tests' pdftk where there is none to install (Windows): a join with
// libqpdf that takes exactly the part of pdftk's command line the program
// and the tests write, and answers as pdftk does (exit 0, or messages on
// standard error and exit 1):
//
//   [H=]input... [input_pw H=password...]... cat [range...] output FILE
//
// H is a handle of upper-case letters. A range is a handle with an optional
// page or span: A, B2, A1-3, Bend-1 (backwards). Without ranges every page
// of every input goes in, in order.

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

struct Input
{
    QString handle;
    QString path;
    std::unique_ptr<QPDF> pdf;
    std::vector<QPDFPageObjectHelper> pages;
};

struct Command
{
    std::vector<Input> inputs;
    QHash<QString, QString> passwords;
    QStringList ranges;
    QString output;
};

const QRegularExpression kHandled(QStringLiteral("^([A-Z]+)=(.*)$"));

Command parse(const QStringList &arguments)
{
    Command command;
    QString section = QStringLiteral("inputs");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == "input_pw" || argument == "cat") {
            section = argument;
        } else if (argument == "output" && i + 2 == arguments.size()) {
            command.output = arguments.at(++i);
        } else if (section == "inputs") {
            const QRegularExpressionMatch handled = kHandled.match(argument);
            Input input;
            input.handle = handled.hasMatch() ? handled.captured(1) : QString();
            input.path = handled.hasMatch() ? handled.captured(2) : argument;
            command.inputs.push_back(std::move(input));
        } else if (section == "input_pw") {
            const QRegularExpressionMatch handled = kHandled.match(argument);
            if (!handled.hasMatch())
                throw std::runtime_error("Error: input_pw takes handle=password pairs, not " + argument.toStdString());
            command.passwords.insert(handled.captured(1), handled.captured(2));
        } else {
            command.ranges.append(argument);
        }
    }
    if (section != "cat" || command.output.isEmpty() || command.inputs.empty())
        throw std::runtime_error("Error: this pdftk knows only: inputs [input_pw ...] cat [ranges] output FILE");
    return command;
}

// pdftk hands passwords to the PDF in its own 8-bit encoding.
std::string passwordBytes(const QString &password)
{
    std::string bytes;
    if (!QUtil::utf8_to_pdf_doc(password.toStdString(), bytes))
        throw std::runtime_error("Error: the password cannot be given in the PDF's encoding");
    return bytes;
}

void open(Input &input, const QHash<QString, QString> &passwords)
{
    input.pdf = std::make_unique<QPDF>();
    const std::string password = passwordBytes(passwords.value(input.handle));
    input.pdf->processFile(input.path.toStdString().c_str(), password.c_str());
    input.pages = QPDFPageDocumentHelper(*input.pdf).getAllPages();
}

int pageNumber(const QString &text, const Input &input)
{
    const int number = text == "end" ? int(input.pages.size()) : text.toInt();
    if (number < 1 || number > int(input.pages.size()))
        throw std::runtime_error("Error: no page " + text.toStdString() + " in " + input.path.toStdString());
    return number;
}

// The pages of one range, in the order it gives them.
std::vector<QPDFPageObjectHelper> pagesOf(const QString &range, std::vector<Input> &inputs)
{
    static const QRegularExpression form(QStringLiteral("^([A-Z]+)((\\d+|end)(-(\\d+|end))?)?$"));
    const QRegularExpressionMatch match = form.match(range);
    const auto input = std::find_if(inputs.begin(), inputs.end(), [&match](const Input &candidate) {
        return !candidate.handle.isEmpty() && candidate.handle == match.captured(1);
    });
    if (!match.hasMatch() || input == inputs.end())
        throw std::runtime_error("Error: unknown page range " + range.toStdString());
    const int count = int(input->pages.size());
    const int from = match.captured(3).isEmpty() ? 1 : pageNumber(match.captured(3), *input);
    const int to = match.captured(5).isEmpty() ? (match.captured(3).isEmpty() ? count : from)
                                               : pageNumber(match.captured(5), *input);
    std::vector<QPDFPageObjectHelper> pages;
    for (int page = from;; page += from <= to ? 1 : -1) {
        pages.push_back(input->pages.at(size_t(page - 1)));
        if (page == to)
            break;
    }
    return pages;
}

void join(Command &command)
{
    for (Input &input : command.inputs)
        open(input, command.passwords);
    std::vector<QPDFPageObjectHelper> pages;
    if (command.ranges.isEmpty()) {
        for (const Input &input : command.inputs)
            pages.insert(pages.end(), input.pages.begin(), input.pages.end());
    }
    for (const QString &range : command.ranges) {
        const std::vector<QPDFPageObjectHelper> some = pagesOf(range, command.inputs);
        pages.insert(pages.end(), some.begin(), some.end());
    }
    QPDF joined;
    joined.emptyPDF();
    QPDFPageDocumentHelper joinedPages(joined);
    for (const QPDFPageObjectHelper &page : pages)
        joinedPages.addPage(page, false);
    // pdftk copies the pages' streams as they are, compressed or not.
    QPDFWriter writer(joined, command.output.toStdString().c_str());
    writer.setCompressStreams(false);
    writer.setDecodeLevel(qpdf_dl_none);
    writer.write();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    try {
        Command command = parse(QCoreApplication::arguments().mid(1));
        join(command);
    } catch (const std::exception &error) {
        std::cerr << error.what() << "\nDone.  Input errors, so no output created." << std::endl;
        return 1;
    }
    return 0;
}
