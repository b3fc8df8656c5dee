// Moves what the user sets into the module and puts the module's answer in place. Every number,
// text and mark shown comes from the module; nothing is computed or drawn here.
'use strict';

(() => {
  const status = document.getElementById('status');
  const byId = (id) => document.getElementById(id);
  // A drawing laid out again for every pixel of a window being dragged wider would keep the
  // module busy for nothing; the old one scales meanwhile.
  const resizePause = 150;

  const fail = (text) => {
    status.textContent = text;
    status.className = 'failure';
    status.hidden = false;
  };

  const fill = (element, text) => {
    if (element.textContent !== text)
      element.textContent = text;
  };

  // One element per text, made or dropped as the number of texts changes.
  const fillAll = (parent, tag, texts) => {
    while (parent.children.length > texts.length)
      parent.lastElementChild.remove();
    while (parent.children.length < texts.length)
      parent.append(document.createElement(tag));
    texts.forEach((text, i) => fill(parent.children[i], text));
  };

  let shownSvg = '';
  const showPicture = (svg) => {
    if (svg === shownSvg)
      return;
    const parsed = new DOMParser().parseFromString(svg, 'image/svg+xml');
    const drawing = parsed.documentElement;
    if (drawing.localName !== 'svg' || parsed.getElementsByTagName('parsererror').length) {
      fail('De tekening kon niet worden getoond.');
      return;
    }
    // The document's <title> and <desc> name and describe it.
    drawing.setAttribute('role', 'img');
    byId('picture').replaceChildren(document.importNode(drawing, true));
    shownSvg = svg;
  };

  const showModels = (models) => {
    const list = byId('models');
    while (list.children.length < models.length) {
      const model = document.createElement('section');
      model.append(document.createElement('h3'), document.createElement('ul'));
      list.append(model);
    }
    models.forEach((model, i) => {
      const [heading, lines] = list.children[i].children;
      fill(heading, model.name);
      fillAll(lines, 'li', model.lines);
    });
  };

  const show = (answer) => {
    for (const [id, value] of Object.entries(answer.values)) {
      const control = byId(id);
      if (control.value !== value)
        control.value = value;
    }
    for (const [id, message] of Object.entries(answer.messages)) {
      byId(id).setAttribute('aria-invalid', message ? 'true' : 'false');
      const line = byId(id + '-message');
      fill(line, message);
      line.hidden = !message;
    }
    for (const [id, text] of Object.entries(answer.fields))
      fill(byId(id), text);
    showPicture(answer.svg);
    byId('picture-wider').hidden = !answer.pictureWider;
    fill(byId('description'), answer.description);
    showModels(answer.models);
    fillAll(byId('notes'), 'li', answer.notes);
    fill(byId('calculation'), answer.calculation);
  };

  const start = (module) => {
    const set = module.cwrap('tralvik_set', 'string', ['string', 'string']);
    const pictureWidth = module.cwrap('tralvik_picture_width', 'string', ['number']);
    const controls = JSON.parse(module.cwrap('tralvik_controls', 'string', [])());

    for (const [id, texts] of Object.entries(controls.lists)) {
      const list = byId(id);
      texts.forEach((text, item) => list.add(new Option(text, String(item))));
    }
    for (const [id, range] of Object.entries(controls.ranges))
      byId(id + '-range').textContent = range.text;
    byId('ScrollBar1').max = String(controls.barCount);

    const inputs = [...Object.keys(controls.lists), 'ScrollBar1', ...Object.keys(controls.ranges),
                    'MEdEdit'];
    for (const id of inputs) {
      byId(id).addEventListener('input', (event) => {
        const answer = set(id, event.target.value);
        if (answer)
          show(JSON.parse(answer));
      });
    }

    // Hidden first: a drawing that fails to show says so in the same place.
    status.hidden = true;
    const picture = byId('picture');
    let laidOutWidth = Math.floor(picture.clientWidth);
    show(JSON.parse(pictureWidth(laidOutWidth)));
    let pending = 0;
    new ResizeObserver(() => {
      clearTimeout(pending);
      pending = setTimeout(() => {
        const width = Math.floor(picture.clientWidth);
        if (width !== laidOutWidth) {
          laidOutWidth = width;
          show(JSON.parse(pictureWidth(width)));
        }
      }, resizePause);
    }).observe(picture);
    performance.mark('tralvik-first-results');
  };

  if (typeof createTralvik !== 'function' || typeof WebAssembly !== 'object') {
    fail('Deze browser kan de rekenmodule niet laden: de pagina heeft WebAssembly nodig.');
    return;
  }
  createTralvik().then(start).catch((error) => {
    fail('De rekenmodule kon niet laden: ' + error.message);
  });
})();
