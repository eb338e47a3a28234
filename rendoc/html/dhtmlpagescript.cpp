#include "rendoc/html/dhtmlpagescript.h"

#include <QCryptographicHash>

namespace {

// Filters the outline: an entry shows when its name holds the search text (and, with the
// switch on, its branch holds a failure), or when an entry below it shows; branches with a
// match open. Emptied, the outline returns to its folding as written. With the switch on,
// the links to pages of passed nodes in the text hide too.
const char Script[] =
    "(function(){'use strict';\n"
    "var nav=document.querySelector('nav.outline');var tree=nav&&nav.querySelector('ul.tree');\n"
    "if(!tree)return;\n"
    "var box=document.createElement('div');box.className='filter';\n"
    "var find=document.createElement('input');find.type='search';\n"
    "find.placeholder=nav.getAttribute('data-find')||'';find.setAttribute('aria-label',find.placeholder);\n"
    "var label=document.createElement('label');var failed=document.createElement('input');\n"
    "failed.type='checkbox';label.appendChild(failed);\n"
    "label.appendChild(document.createTextNode(' '+(nav.getAttribute('data-failed')||'')));\n"
    "box.appendChild(find);box.appendChild(label);nav.insertBefore(box,tree);\n"
    "var items=Array.prototype.slice.call(tree.querySelectorAll('li'));\n"
    "var names=items.map(function(li){var s=li.querySelector('summary');\n"
    "return ((s&&s.parentNode.parentNode===li?s:li).textContent||'').toLowerCase();});\n"
    "var folds=Array.prototype.slice.call(tree.querySelectorAll('details'));\n"
    "var opened=folds.map(function(d){return d.open;});\n"
    "function apply(){var q=find.value.trim().toLowerCase();var f=failed.checked;\n"
    "var all=!q&&!f;var shown=new Set();\n"
    "for(var i=items.length-1;i>=0;i--){var li=items[i];\n"
    "var hit=all||(shown.has(li)||((!q||names[i].indexOf(q)>=0)&&(!f||li.classList.contains('f'))));\n"
    "li.hidden=!hit;if(hit){var up=li.parentNode&&li.parentNode.closest('li');if(up)shown.add(up);}}\n"
    "folds.forEach(function(d,i){d.open=all?opened[i]:(q?shown.has(d.parentNode):opened[i]);});\n"
    "document.body.classList.toggle('failed-only',f);}\n"
    "find.addEventListener('input',apply);failed.addEventListener('change',apply);\n"
    "})();\n";

} // namespace

QLatin1String DHTMLPageScript::text()
{
    return QLatin1String(Script, sizeof(Script) - 1);
}

QString DHTMLPageScript::hashSource()
{
    static const QString source =
        QStringLiteral("'sha256-")
        + QString::fromLatin1(QCryptographicHash::hash(QByteArray(Script, sizeof(Script) - 1),
                                                       QCryptographicHash::Sha256)
                                  .toBase64())
        + QLatin1Char('\'');
    return source;
}
