// Reading the body of a definition with 300 controls of every kind, as a form
// window does once when it opens: it should stay well under a millisecond.
#include "bench/harness/bench_harness.h"
#include "data/xml/xml_document.h"
#include "forms/definition/body_reader.h"

#include <cstdio>
#include <cstdlib>

namespace {

// 300 controls in rows of ten, with the attributes real forms carry, plus
// one group per row and a split.
QString Definition()
{
    const char* const rows[] = {
        "<static id='%1' pos='10,%2,80,%3' value='名称：' color='0,0,128' font='9'/>",
        "<textbox id='%1' pos='90,%2,290,%3' maxlen='50' value='{{type}}' director='5'/>",
        "<droplist id='%1' pos='300,%2,400,%3' value='甲;乙;丙' style='1'/>",
        "<datectrl id='%1' pos='410,%2,520,%3' value='2024-03-18'/>",
        "<editbutton id='%1' pos='530,%2,640,%3' popup='9' color='255,255,255'/>",
        "<button id='%1' pos='650,%2,730,%3' value='查询' shade='1' color='0,120,215'>"
        "<ACTION><CLICK><query_to_wnd values='SELECT 1' target_ids='2'/></CLICK></ACTION></button>",
        "<pic id='%1' pos='740,%2,800,%3'/>",
        "<tree id='%1' pos='810,%2,900,%3'/>",
        "<table id='%1' pos='910,%2,1200,%3'><PARA><col_info><col id='1' title='编码' width='80'/>"
        "<col id='2' title='名称' width='120' color_bg='255,250,230'/><col id='3' title='数量' "
        "width='60' format='1' sum='5'/></col_info></PARA></table>",
        "<treelist id='%1' pos='1210,%2,1400,%3'><PARA><head_info><a title='部门' type='1'>"
        "<b title='一组'/></a></head_info></PARA></treelist>",
    };
    QString dialog;
    for (int row = 0; row < 30; ++row) {
        const int top = 10 + row * 30;
        QStringList ids;
        for (int col = 0; col < 10; ++col)
            ids.append(QString::number(1 + row * 10 + col));
        dialog += QStringLiteral("<group id='%1' value='%2' pos='0,0,8,6'/>")
                      .arg(row + 1)
                      .arg(ids.mid(0, 4).join(u';'));
        for (int col = 0; col < 10; ++col) {
            dialog += QString::fromUtf8(rows[col]).arg(1 + row * 10 + col).arg(top).arg(top + 22);
        }
    }
    dialog += QStringLiteral("<split id='S1' value='8;9'/>");
    return QStringLiteral("<html version='1.0' id='0'><head title='x' pos='0'/><body><dialog>") +
           dialog +
           QStringLiteral(
               "</dialog><popup><html id='9'><head pos='0'/></html></popup></body></html>");
}

} // namespace

int main()
{
    zk::CXmlDocument document;
    if (!document.LoadXml(Definition())) {
        std::fprintf(stderr, "bench_forms: the definition does not parse\n");
        return 1;
    }
    zk::DefinitionContext context;
    const zk::CXmlNodePtr html = document.GetRoot();
    if (zk::ReadFormBody(*html, context).controls.size() != 300) {
        std::fprintf(stderr, "bench_forms: expected 300 controls\n");
        return 1;
    }
    const double seconds = zk::bench::SecondsPerCall([&] {
        if (zk::ReadFormBody(*html, context).layout.size() != 331)
            std::abort();
    });
    zk::bench::Report("bodyread_300_us", seconds * 1e6, "-");
    return 0;
}
