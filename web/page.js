// Moves what the user sets into the module and puts the module's answer in place. Every number
// and text shown comes from the module; nothing is computed here.
'use strict';

(() => {
  const status = document.getElementById('status');
  const byId = (id) => document.getElementById(id);

  const fail = (text) => {
    status.textContent = text;
    status.className = 'failure';
    status.hidden = false;
  };

  const fill = (element, text) => {
    if (element.textContent !== text)
      element.textContent = text;
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
    fill(byId('calculation'), answer.calculation);
  };

  const start = (module) => {
    const set = module.cwrap('tralvik_set', 'string', ['string', 'string']);
    const state = module.cwrap('tralvik_state', 'string', []);
    const controls = JSON.parse(module.cwrap('tralvik_controls', 'string', [])());

    for (const [id, texts] of Object.entries(controls.lists)) {
      const list = byId(id);
      texts.forEach((text, item) => list.add(new Option(text, String(item))));
    }
    for (const [id, range] of Object.entries(controls.ranges))
      byId(id + '-range').textContent = range.text;
    byId('ScrollBar1').max = String(controls.barCount);

    const inputs = [...Object.keys(controls.lists), 'ScrollBar1', ...Object.keys(controls.ranges)];
    for (const id of inputs) {
      byId(id).addEventListener('input', (event) => {
        const answer = set(id, event.target.value);
        if (answer)
          show(JSON.parse(answer));
      });
    }
    show(JSON.parse(state()));
    performance.mark('tralvik-first-results');
    status.hidden = true;
  };

  if (typeof createTralvik !== 'function' || typeof WebAssembly !== 'object') {
    fail('Deze browser kan de rekenmodule niet laden: de pagina heeft WebAssembly nodig.');
    return;
  }
  createTralvik().then(start).catch((error) => {
    fail('De rekenmodule kon niet laden: ' + error.message);
  });
})();
